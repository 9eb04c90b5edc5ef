#include "app/found_tone_use.h"
#include "codeplug/channel_block.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/default_codeplug.h"
#include "editors/ui/channel_f1_dlg.h"
#include "editors/ui/data_tab_dlg.h"
#include "editors/ui/option_dlg.h"
#include "editors/ui/switch_dlg.h"
#include "tests/support/test_files.h"
#include "tones/ui/find_tones_dlg.h"
#include "user_data_fixture.h"
#include "widgets/numeric_edit.h"
#include "widgets/spin_buttons.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace quorl {
namespace {

using UserDataWindowTest = test::UserDataFixture;

TEST_F(UserDataWindowTest, EnterAndEscapeNeverCloseTheWindow) {
    for (int page = 0; page < 8; ++page) {
        window->tabBar()->setCurrentIndex(page);
        for (auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(window.get(), key);
            QTest::keyClick(window->pages()->currentWidget(), key);
        }
        EXPECT_TRUE(window->isVisible()) << page;
    }
    EXPECT_EQ(window->tabBar()->count(), 8);
    EXPECT_EQ(window->tabBar()->tabText(2), "Function Switches ");
    EXPECT_EQ(window->tabBar()->tabText(7), "Channel F5 ");
}

TEST_F(UserDataWindowTest, SOpensTheFalsingAdjustmentWhileTheChannelTabHeaderHasTheFocus) {
    int opened = 0;
    modals.onNextModal([&](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "Falsing Adjustment");
        ++opened;
        static_cast<QDialog*>(w)->reject();
    });
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::mouseClick(window->tabBar(), Qt::LeftButton, {},
                      window->tabBar()->tabRect(CDataTabDlg::ChannelPage).center());
    ASSERT_EQ(window->pages()->currentWidget(), window->channelPage());
    window->tabBar()->setFocus();
    QTest::keyClick(window->tabBar(), Qt::Key_S);
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened != 0; }, 3000));
    EXPECT_EQ(opened, 1);
    // On the other tabs S is just a letter.
    window->tabBar()->setCurrentIndex(CDataTabDlg::GeneralPage);
    QTest::keyClick(window->tabBar(), Qt::Key_S);
    // A window opened by the key would be modal: the key's delivery ends only once it
    // has been closed, and the answerer notes one nobody expected.
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(modals.texts.isEmpty()) << modals.texts.join(' ').toStdString();
}

TEST_F(UserDataWindowTest, FunctionSwitchRowsLineUpAndChannelTabReadsInOrder) {
    window->tabBar()->setCurrentIndex(CDataTabDlg::FunctionSwitchesPage);
    QApplication::processEvents();
    QWidget* page = window->switchPage();
    for (const char* name : {"mode", "alertType", "announcement", "playPager"}) {
        QList<int> lefts;
        for (int k = 0; k < 8; ++k) {
            auto* row = find<QGroupBox>(page, QStringLiteral("switchRow%1").arg(k).toUtf8());
            lefts << find<QWidget>(row, name)->mapTo(page, QPoint(0, 0)).x();
        }
        EXPECT_EQ(lefts.count(lefts.first()), 8) << name;
    }
    // "Alert Type :" follows the mode list at once; a Priority note goes below.
    auto* row = find<QGroupBox>(page, "switchRow6");
    EXPECT_GE(find<QWidget>(row, "priorityNote")->y(),
              find<QWidget>(row, "mode")->geometry().bottom());

    // Tab from a call's first tone goes to its picker, its second tone, then the
    // alert of the same call.
    window->tabBar()->setCurrentIndex(CDataTabDlg::ChannelPage);
    CChannelF1Dlg* channel = window->channelPage();
    // The next widget Tab stops at.
    const auto tabFrom = [](QWidget* w) {
        do
            w = w->nextInFocusChain();
        while (!((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()));
        return w;
    };
    QWidget* next = tabFrom(channel->toneEdit({ToneKind::Tone1, 1}));
    EXPECT_EQ(next, static_cast<QWidget*>(channel->pickerButton({ToneKind::Tone1, 1})));
    EXPECT_EQ(tabFrom(next), static_cast<QWidget*>(channel->toneEdit({ToneKind::Tone2, 1})));
    EXPECT_EQ(tabFrom(channel->pickerButton({ToneKind::Tone2, 1})),
              static_cast<QWidget*>(channel->alertCombo(0)));
    EXPECT_EQ(tabFrom(tabFrom(channel->frequencyEdit())),
              static_cast<QWidget*>(channel->squelchSlider()));
}

TEST_F(UserDataWindowTest, ASwitchSetToPriorityScanEnablesTheScanTimeOnReturn) {
    auto* scanEdit = find<NumericEdit>(window->optionPage(), "priorityScanTime");
    for (Address k = 0; k < 8; ++k) // no switch in Priority Scan yet
        state->editImage.set(0x0282 + 6 * k, 0x00);
    window->tabBar()->setCurrentIndex(CDataTabDlg::ModelOptionsPage);
    EXPECT_FALSE(scanEdit->isEnabled());
    window->tabBar()->setCurrentIndex(CDataTabDlg::FunctionSwitchesPage);
    auto* row = find<QGroupBox>(window->switchPage(), "switchRow3");
    auto* mode = row->findChild<QComboBox*>(QStringLiteral("mode"));
    mode->setCurrentIndex(11);
    emit mode->activated(11);
    EXPECT_EQ(state->editImage.at(0x0282 + 18) & 0x0F, 11);
    window->tabBar()->setCurrentIndex(CDataTabDlg::ModelOptionsPage);
    EXPECT_TRUE(scanEdit->isEnabled());
}

TEST_F(UserDataWindowTest, EnterChecksATypedValueOnceWithItsCaption) {
    window->tabBar()->setCurrentIndex(CDataTabDlg::ModelOptionsPage);
    auto* alert = find<NumericEdit>(window->optionPage(), "alertDuration");
    auto* mode = find<QComboBox>(window->optionPage(), "alertDurationMode");
    mode->setCurrentIndex(1);
    emit mode->activated(1); // Fixed shows the duration box
    ASSERT_TRUE(alert->isVisible());
    alert->setFocus();
    alert->selectAll();
    modals.pressOnNextBox(QMessageBox::Ok);
    QTest::keyClicks(alert, "200x"); // the x is dropped
    QTest::keyClick(alert, Qt::Key_Return);
    window->tabBar()->setFocus();  // leaving the box does not check again
    QApplication::processEvents(); // a check would show its box before this returns
    ASSERT_EQ(modals.texts.size(), 1);
    EXPECT_EQ(modals.texts[0],
              "WARNING: Alert duration must be within 0.48sec to 122.4sec range. ");
    EXPECT_EQ(alert->text(), "12.00");
}

TEST_F(UserDataWindowTest, CancelDropsTheEditsOfEveryTab) {
    const auto committedBefore = state->image;
    const bool modifiedBefore = state->modified;
    auto* privacy = find<QComboBox>(window->optionPage(), "privacy");
    privacy->setCurrentIndex(1);
    emit privacy->activated(1);
    ChannelBlock(state->editImage, 1).setSquelchLevel(4);
    window->onCancel();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(state->image, committedBefore);
    // Save As (the committed edits) writes what Save writes.
    EXPECT_EQ(state->committedEdits(), committedBefore);
    EXPECT_EQ(state->modified, modifiedBefore);
}

TEST_F(UserDataWindowTest, FoundTonesGoInThroughTheChannelTabAndCancelDropsThem) {
    applyToneUse(*window, {0, 1, 0, {600.9, 1153.4}}); // F1 Call 1
    EXPECT_EQ(window->tabBar()->currentIndex(), CDataTabDlg::ChannelPage);
    EXPECT_EQ(ConstChannelBlock(state->editImage, 0).callTone(1, 1).tenthsHz, 6009);
    EXPECT_EQ(ConstChannelBlock(state->editImage, 0).callTone(1, 2).tenthsHz, 11534);
    // Typed as the Corvane tab takes it: 350.0 snaps to 349.0.
    applyToneUse(*window, {1, 1, 0, {350.0, 928.1}}); // F2 Call 1
    EXPECT_EQ(ConstChannelBlock(state->editImage, 1).callTone(1, 1).tenthsHz, 3490);
    // F5 Call 1 is 330.5 - 669.9: a page 669.9 - 1153.4 moves its tone 2 to tone 1.
    applyToneUse(*window, {4, 1, 0, {669.9, 1153.4}});
    EXPECT_EQ(ConstChannelBlock(state->editImage, 4).callTone(1, 1).tenthsHz, 6699);
    EXPECT_EQ(ConstChannelBlock(state->editImage, 4).callTone(1, 2).tenthsHz, 11534);
    // F3 (R468): Group 1 is "Long B", a copy of Call 1's tone 2, and stays so.
    applyToneUse(*window, {2, 0, 1, {1153.4}});
    EXPECT_EQ(ConstChannelBlock(state->editImage, 2).groupTone(1).tenthsHz, 6345);
    EXPECT_TRUE(modals.texts.isEmpty()) << modals.texts.join(QLatin1Char('|')).toStdString();
    window->onCancel();
    EXPECT_EQ(ConstChannelBlock(state->editImage, 0).callTone(1, 1).tenthsHz, 3490);
    EXPECT_EQ(ConstChannelBlock(state->editImage, 1).callTone(1, 1).tenthsHz, 3890);
}

TEST_F(UserDataWindowTest, TitleBarCloseCommits) {
    ChannelBlock(state->editImage, 1).setSquelchLevel(4);
    window->close();
    EXPECT_EQ(ConstChannelBlock(state->image, 1).squelchLevel(), 4);
}

TEST_F(UserDataWindowTest, PlayPagerSendsTheAnnouncementAndLocksTheButtons) {
    window->tabBar()->setCurrentIndex(CDataTabDlg::FunctionSwitchesPage);
    auto* row = find<QGroupBox>(window->switchPage(), "switchRow0");
    auto* play = row->findChild<QPushButton*>(QStringLiteral("playPager"));
    ASSERT_TRUE(play->isEnabled());
    play->click();
    ASSERT_EQ(port.played.size(), 1u);
    EXPECT_EQ(port.played[0].command, 0xB6);
    EXPECT_EQ(port.played[0].durationMs, 3000) << "Standard: the duty option adds nothing";
    EXPECT_EQ(port.played[0].parameters, (std::vector<std::uint8_t>{0, 1, 2, 0, 0x00}));
    EXPECT_FALSE(play->isEnabled());
    EXPECT_TRUE(window->switchPage()->auditionTimerActive());
}

// Pasted or dropped text: a comma is the decimal point; what is still no number is
// answered with the box's own message, never taken as a number nor dropped unseen.
TEST_F(UserDataWindowTest, PastedTextIsReadOrRefusedWithTheBoxsMessage) {
    window->tabBar()->setCurrentIndex(CDataTabDlg::ModelOptionsPage);
    auto* scan = find<NumericEdit>(window->optionPage(), "priorityScanTime");
    ASSERT_TRUE(scan->isEnabled());
    const QString before = scan->text();
    const auto stored = state->editImage.at(0x0212);
    scan->setFocus();
    for (const char* pasted : {"nan", "inf", "1e3", "0x10", "-1", "1.2.3"}) {
        for (const bool drop : {false, true}) {
            scan->selectAll();
            if (drop) {
                QMimeData data;
                data.setText(QString::fromUtf8(pasted));
                const QPointF at(scan->rect().center());
                QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton,
                                      Qt::NoModifier);
                QApplication::sendEvent(scan, &enter);
                QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(scan, &dropped);
            } else {
                QApplication::clipboard()->setText(QString::fromUtf8(pasted));
                QTest::keyClick(scan, Qt::Key_V, Qt::ControlModifier);
            }
            const auto shown = modals.texts.size();
            modals.pressOnNextBox(QMessageBox::Ok);
            QTest::keyClick(scan, Qt::Key_Return);
            ASSERT_EQ(modals.texts.size(), shown + 1) << pasted << (drop ? " dropped" : "");
            EXPECT_EQ(modals.texts.back(), "WARNING: Priority Scan Time must be within 0.064sec "
                                           "to 2.04sec range. ");
            EXPECT_EQ(scan->text(), before) << pasted;
        }
    }
    EXPECT_EQ(state->editImage.at(0x0212), stored);

    scan->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("1,5"));
    QTest::keyClick(scan, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(scan->text(), "1.5");
    modals.pressOnNextBox(QMessageBox::Ok); // the advice above 0.512 s
    QTest::keyClick(scan, Qt::Key_Return);
    EXPECT_EQ(state->editImage.at(0x0212), 188); // 187.5 steps of 8 ms, to the nearest
    EXPECT_EQ(scan->text(), "1.504");
}

TEST_F(UserDataWindowTest, SpinArrowsStepFromTheTypedTextAndAnyKeyRearmsTheAdvice) {
    window->tabBar()->setCurrentIndex(CDataTabDlg::ModelOptionsPage);
    auto* scan = find<NumericEdit>(window->optionPage(), "priorityScanTime");
    auto* spin = find<SpinButtons>(window->optionPage(), "priorityScanSpin");
    scan->setFocus();
    scan->selectAll();
    QTest::keyClicks(scan, "0.2"); // typed, not yet checked
    spin->upButton()->click();
    EXPECT_EQ(state->editImage.at(0x0212), 26);
    EXPECT_EQ(scan->text(), "0.208");

    modals.pressOnNextBox(QMessageBox::Ok);
    scan->selectAll();
    QTest::keyClicks(scan, "0.6");
    QTest::keyClick(scan, Qt::Key_Return);
    ASSERT_EQ(modals.texts.size(), 1);
    EXPECT_EQ(modals.texts[0],
              "WARNING: Priority Scan Time > 0.512sec may result in missed page alerts. ");
    // A key the box drops still counts as a key press in the box.
    QTest::keyClick(scan, Qt::Key_Space);
    modals.pressOnNextBox(QMessageBox::Ok);
    QTest::keyClick(scan, Qt::Key_Return);
    EXPECT_EQ(modals.texts.size(), 2);
}

} // namespace
} // namespace quorl

namespace quorl {
namespace {

TEST(UserDataWindowTabs, ASingleChannelPagerShowsFourTabsAndEachChannelLoadsItsOwnBlock) {
    auto state = std::make_unique<CodeplugState>();
    state->loadBoth(makeDefaultCodeplug(uhfSingleChannelFactory()));
    test::RecordingAuditionPort port;
    CDataTabDlg single(*state, port, [] { return false; });
    EXPECT_EQ(single.tabBar()->count(), 4);
    single.onCancel();

    state->loadBoth(test::validImage());
    CDataTabDlg five(*state, port, [] { return false; });
    five.show();
    five.tabBar()->setCurrentIndex(CDataTabDlg::ChannelPage + 2);
    EXPECT_EQ(five.channelPage()->currentChannel(), 2);
    EXPECT_EQ(five.pages()->currentWidget(), five.channelPage());
    EXPECT_EQ(five.channelPage()->frequencyEdit()->text(), "155.010000");
    five.tabBar()->setCurrentIndex(CDataTabDlg::ChannelPage);
    EXPECT_EQ(five.channelPage()->frequencyEdit()->text(), "154.430000");
    five.onCancel();
}

} // namespace
} // namespace quorl
