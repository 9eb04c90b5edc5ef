#include "codeplug/codeplug_state.h"
#include "link/codeplug_operation.h"
#include "link/link_texts.h"
#include "link/port_choice.h"
#include "tests/support/link_test_support.h"

#include <gtest/gtest.h>
#include <memory>

namespace quorl {
namespace {

using test::RecordingHost;

TEST(DeviceNameForOpen, ComRuleStartsAtFiveAndLinuxNamesMapToDev) {
    EXPECT_EQ(deviceNameForOpen("COM12"), "\\\\.\\COM12");
    EXPECT_EQ(deviceNameForOpen("COM5"), "\\\\.\\COM5");
    EXPECT_EQ(deviceNameForOpen("COM4"), "COM4");
    EXPECT_EQ(deviceNameForOpen("COM"), "COM");
    EXPECT_EQ(deviceNameForOpen("ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(deviceNameForOpen("/run/user/1000/tessaly-vi-quorl/ttySIM0"),
              "/run/user/1000/tessaly-vi-quorl/ttySIM0");
}

// Two simulated cradles, listed in registration order.
class PortChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(first.start(error)) << error;
        ASSERT_TRUE(second.start(error)) << error;
    }
    test::IsolatedDiscovery iso;
    sim::PagerSimulator first{sim::PagerModel(test::defaultTestCodeplug()), {}};
    sim::PagerSimulator second{sim::PagerModel(test::defaultTestCodeplug()), {}};
    RecordingHost host;
};

TEST_F(PortChoiceTest, NoCradleGivesCommunicationErrorOne) {
    EXPECT_FALSE(choosePort(host).has_value());
    EXPECT_EQ(host.messages(), std::vector<std::string>{std::string(link_texts::kCommError1)});
    EXPECT_EQ(portChoice().noCradle.load(), 1);
    EXPECT_FALSE(refreshCradlePresence());
}

// Communication Error #1 is a failure; only a choice the user declined is Cancelled,
// which ends without a word.
TEST_F(PortChoiceTest, OnlyADeclinedChoiceEndsAnOperationAsCancelled) {
    auto state = std::make_unique<CodeplugState>();
    EXPECT_EQ(runPagerOperation(OperationSelector::CodeplugRead, *state, host),
              OperationOutcome::Failed);
    EXPECT_EQ(host.messages(), std::vector<std::string>{std::string(link_texts::kCommError1)});
    iso.registerCradle(first.devicePath());
    iso.registerCradle(second.devicePath());
    EXPECT_EQ(runPagerOperation(OperationSelector::CodeplugRead, *state, host),
              OperationOutcome::Cancelled);
    EXPECT_EQ(host.devicesDialogShown, 1);
    EXPECT_EQ(host.messages().size(), 1u);
}

TEST_F(PortChoiceTest, OneCradleIsTakenWithoutAsking) {
    iso.registerCradle(first.devicePath());
    const auto chosen = choosePort(host);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->portName, first.devicePath());
    EXPECT_EQ(chosen->deviceName, first.devicePath());
    EXPECT_EQ(host.devicesDialogShown, 0);
    EXPECT_TRUE(host.messages().empty());
    EXPECT_TRUE(refreshCradlePresence());
    EXPECT_EQ(portChoice().noCradle.load(), 0);
}

TEST_F(PortChoiceTest, TwoCradlesAskAndCancelEndsSilently) {
    iso.registerCradle(first.devicePath());
    iso.registerCradle(second.devicePath());
    EXPECT_FALSE(choosePort(host).has_value());
    EXPECT_EQ(host.devicesDialogShown, 1);
    EXPECT_EQ(host.devicesListed,
              (std::vector<std::string>{first.devicePath(), second.devicePath()}));
    EXPECT_TRUE(host.messages().empty());

    host.pickDevice = [](const std::vector<std::string>&) { return 1; };
    const auto chosen = choosePort(host);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->portName, second.devicePath());

    host.pickDevice = [](const std::vector<std::string>&) { return 5; }; // out of the list
    EXPECT_FALSE(choosePort(host).has_value());
}

TEST_F(PortChoiceTest, ConfiguredPortWinsUntilTheDevicesDialogReturns) {
    iso.registerCradle(first.devicePath());
    iso.registerCradle(second.devicePath());
    auto view = openSerialConfig();
    EXPECT_EQ(portChoice().automaticMode, 0);
    ASSERT_EQ(view.portNames.size(), 2u);
    EXPECT_EQ(view.selected, 0);
    acceptSerialConfig(1, "COM5");
    auto chosen = choosePort(host);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->portName, "COM5");
    EXPECT_EQ(chosen->deviceName, "\\\\.\\COM5");
    EXPECT_EQ(host.devicesDialogShown, 0);

    // Reopened, the configured name is not in the list: the first entry takes its place.
    view = openSerialConfig();
    EXPECT_EQ(view.selected, 0);
    EXPECT_EQ(portChoice().configuredPort, first.devicePath());
    cancelSerialConfig();
    EXPECT_EQ(portChoice().automaticMode, 0); // configured before, stays configured

    // The Connected Devices dialog switches back to automatic mode.
    openConnectedDevices();
    cancelConnectedDevices();
    EXPECT_EQ(portChoice().automaticMode, 1);
}

TEST_F(PortChoiceTest, ConfiguredPortStillNeedsACradleAttached) {
    acceptSerialConfig(0, "COM5");
    EXPECT_FALSE(choosePort(host).has_value());
    EXPECT_EQ(host.messages(), std::vector<std::string>{std::string(link_texts::kCommError1)});
}

TEST_F(PortChoiceTest, CancelBeforeAnyConfigurationKeepsAutomaticMode) {
    iso.registerCradle(first.devicePath());
    const auto view = openSerialConfig();
    EXPECT_EQ(view.portNames, std::vector<std::string>{first.devicePath()});
    cancelSerialConfig();
    EXPECT_EQ(portChoice().automaticMode, 1);
    EXPECT_EQ(portChoice().portConfigured, 0);
}

} // namespace
} // namespace quorl
