#include "link/port_choice.h"
#include "link/ui/devices_dlg.h"
#include "link/ui/progress_bar_dlg.h"
#include "link/ui/serial_comm_dlg.h"
#include "tests/support/link_test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quorl {
namespace {

class LinkDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(first.start(error)) << error;
        ASSERT_TRUE(second.start(error)) << error;
        iso.registerCradle(first.devicePath());
        iso.registerCradle(second.devicePath());
    }
    test::IsolatedDiscovery iso;
    sim::PagerSimulator first{sim::PagerModel(test::defaultTestCodeplug()), {}};
    sim::PagerSimulator second{sim::PagerModel(test::defaultTestCodeplug()), {}};
};

TEST_F(LinkDialogsTest, ProgressWindowIgnoresPositionsOutsideTheBar) {
    CProgressBarDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "Progress Indicator");
    dlg.setText("Reading 40%");
    dlg.setPosition(40);
    dlg.setPosition(101);
    dlg.setPosition(-1);
    EXPECT_EQ(dlg.position(), 40);
    EXPECT_EQ(dlg.text(), "Reading 40%");
    dlg.setPosition(100);
    EXPECT_EQ(dlg.position(), 100);
}

TEST_F(LinkDialogsTest, ConnectedDevicesListsBothAndRecordsThePick) {
    CDevicesDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "Connected Devices");
    ASSERT_EQ(dlg.portList()->count(), 2);
    EXPECT_EQ(dlg.portList()->item(1)->text().toStdString(), second.devicePath());
    dlg.portList()->setCurrentRow(1);
    dlg.accept();
    EXPECT_EQ(portChoice().deviceChosen, 1);
    EXPECT_EQ(portChoice().chosenIndex, 1);
    CDevicesDlg again;
    again.reject();
    EXPECT_EQ(portChoice().deviceChosen, 0);
}

// The first row, which has the focus frame, is selected from the start: OK without a
// click chooses it.
TEST_F(LinkDialogsTest, ConnectedDevicesOkWithoutAClickChoosesTheFirstCradle) {
    CDevicesDlg dlg;
    dlg.show();
    dlg.activateWindow();
    dlg.portList()->setFocus();
    QApplication::processEvents();
    auto* ok = dlg.findChild<QDialogButtonBox*>()->buttons().value(0);
    ASSERT_NE(ok, nullptr);
    ASSERT_EQ(ok->text().toStdString(), "OK");
    ok->click();
    EXPECT_EQ(portChoice().deviceChosen, 1);
    EXPECT_EQ(portChoice().chosenIndex, 0);
}

TEST_F(LinkDialogsTest, SystemConfigurationStoresTheChosenPort) {
    CSerialCommDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "System Configuration");
    ASSERT_EQ(dlg.portList()->count(), 2);
    dlg.portList()->setCurrentIndex(1);
    dlg.accept();
    EXPECT_EQ(portChoice().configuredPort, second.devicePath());
    EXPECT_EQ(portChoice().portConfigured, 1);
    EXPECT_EQ(portChoice().automaticMode, 0);
    CSerialCommDlg reopened; // preselects the configured port
    EXPECT_EQ(reopened.portList()->currentIndex(), 1);
    reopened.reject();
    EXPECT_EQ(portChoice().automaticMode, 0);
}

} // namespace
} // namespace quorl
