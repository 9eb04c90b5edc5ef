#include "codeplug/channel_block.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/model_options_block.h"
#include "editors/ui/channel_f1_dlg.h"
#include "editors/ui/data_tab_dlg.h"
#include "editors/ui/option_dlg.h"
#include "editors/ui/switch_dlg.h"
#include "editors/ui/user_data_undo.h"
#include "tests/support/test_files.h"
#include "user_data_fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace quorl {
namespace {

class UserDataUndoTest : public test::UserDataFixture {
protected:
    void SetUp() override {
        UserDataFixture::SetUp();
        start = EditedBytes::of(*state);
    }

    static bool same(const EditedBytes& a, const EditedBytes& b) {
        return a.committed == b.committed && a.edit == b.edit && a.modified == b.modified;
    }
    // Chooses item `index` of `combo` as a click would.
    static void choose(QComboBox* combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    EditedBytes start;
};

// Random choices on the lists of every editable tab, switch rows filled from others
// and the channels' squelch:
// after each step the bytes are kept, then every step is taken back one by one
// and made again, each time landing on the bytes kept for it.
TEST_F(UserDataUndoTest, RandomEditsUndoneAndRedoneGiveTheBytesOfEachStep) {
    for (const unsigned seed : {1u, 7u, 2026u}) {
        std::mt19937 random(seed);
        const auto pick = [&](int n) { return static_cast<int>(random() % unsigned(n)); };
        std::vector<EditedBytes> after{EditedBytes::of(*state)};
        QUndoStack* stack = window->undo().stack();
        const int base = stack->index();
        for (int i = 0; i < 30; ++i) {
            switch (pick(4)) {
            case 0: {
                window->tabBar()->setCurrentIndex(CDataTabDlg::ModelOptionsPage);
                auto combos = window->optionPage()->findChildren<QComboBox*>();
                QComboBox* c = combos[pick(static_cast<int>(combos.size()))];
                choose(c, pick(c->count()));
                break;
            }
            case 1: {
                window->tabBar()->setCurrentIndex(CDataTabDlg::FunctionSwitchesPage);
                auto* row = find<QWidget>(window->switchPage(),
                                          QStringLiteral("switchRow%1").arg(pick(8)).toUtf8());
                if (pick(3) == 0) { // filled from another row through its menu
                    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, {});
                    QApplication::sendEvent(row, &menuKey);
                    QWidget* menu = QApplication::activePopupWidget();
                    ASSERT_NE(menu, nullptr);
                    const auto entries =
                        menu->findChild<QMenu*>(QStringLiteral("fillFromMenu"))->actions();
                    entries[pick(static_cast<int>(entries.size()))]->trigger();
                    menu->close();
                    break;
                }
                auto* c = find<QComboBox>(row, pick(2) ? "mode" : "announcement");
                if (c->isEnabled())
                    choose(c, pick(c->count()));
                break;
            }
            case 2:
                window->tabBar()->setCurrentIndex(CDataTabDlg::ChannelPage + pick(5));
                window->channelPage()->alertCombo(0)->setCurrentIndex(
                    pick(window->channelPage()->alertCombo(0)->count()));
                break;
            default:
                window->tabBar()->setCurrentIndex(CDataTabDlg::ChannelPage + pick(5));
                window->channelPage()->squelchSlider()->setValue(
                    pick(window->channelPage()->squelchSlider()->maximum() + 1));
                break;
            }
            ASSERT_EQ(modals.texts.size(), 0) << modals.texts.join(QLatin1Char('|')).toStdString();
            if (stack->index() - base == static_cast<int>(after.size()))
                after.push_back(EditedBytes::of(*state));
            ASSERT_EQ(stack->index() - base + 1, static_cast<int>(after.size())) << seed;
            ASSERT_TRUE(same(after.back(), EditedBytes::of(*state))) << "unrecorded change " << i;
        }
        ASSERT_GT(after.size(), 10u) << seed;
        for (auto k = after.size() - 1; k > 0; --k) {
            window->undoAction()->trigger();
            ASSERT_TRUE(same(EditedBytes::of(*state), after[k - 1])) << seed << " undo " << k;
        }
        EXPECT_EQ(stack->index(), base);
        EXPECT_EQ(window->undoAction()->isEnabled(), base > 0);
        for (std::size_t k = 1; k < after.size(); ++k) {
            window->redoAction()->trigger();
            ASSERT_TRUE(same(EditedBytes::of(*state), after[k])) << seed << " redo " << k;
        }
        EXPECT_FALSE(window->redoAction()->isEnabled());
    }
    EXPECT_FALSE(same(EditedBytes::of(*state), start));
}

TEST_F(UserDataUndoTest, EditMenuNamesTheStepAndTheKeysTakeItBackAndForth) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->tabBar()->setCurrentIndex(CDataTabDlg::ChannelPage + 1);
    const ToneSlot slot{ToneKind::Tone1, 2};
    const auto tone = [&] {
        return ConstChannelBlock(state->editImage, 1).callTone(2, 1).tenthsHz;
    };
    const auto before = tone();
    ASSERT_TRUE(window->channelPage()->enterTone(slot, QStringLiteral("1200.0")));
    ASSERT_NE(tone(), before);
    const auto typed = tone();
    EXPECT_EQ(window->undoAction()->text(), "&Undo Tone 1 of Call 2");
    EXPECT_EQ(window->redoAction()->text(), "&Redo");

    // The keys work with the focus in the tone box itself.
    QLineEdit* box = window->channelPage()->toneEdit(slot);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(tone(), before);
    EXPECT_EQ(box->text().toDouble(), before / 10.0);
    EXPECT_EQ(window->redoAction()->text(), "&Redo Tone 1 of Call 2");
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tone(), typed);

    // A switch list names its row; an undo on another tab shows the tab it acts on.
    window->tabBar()->setCurrentIndex(CDataTabDlg::FunctionSwitchesPage);
    auto* row = find<QWidget>(window->switchPage(), "switchRow2");
    auto* mode = find<QComboBox>(row, "mode");
    choose(mode, mode->currentIndex() == 0 ? 1 : 0);
    EXPECT_EQ(window->undoAction()->text(), "&Undo Mode of SW-C");
    window->tabBar()->setCurrentIndex(CDataTabDlg::GeneralPage);
    window->undoAction()->trigger();
    window->undoAction()->trigger();
    EXPECT_EQ(window->tabBar()->currentIndex(), CDataTabDlg::ChannelPage + 1);
    EXPECT_TRUE(same(EditedBytes::of(*state), start));
}

TEST_F(UserDataUndoTest, EachTabKeepsItsOwnScrollPositionAndCtrlTabMovesOn) {
    window->resize(480, 320);
    QApplication::processEvents();
    QScrollBar* bar = window->scrollArea()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(window->tabBar()->currentIndex(), CDataTabDlg::ModelOptionsPage);
    EXPECT_EQ(bar->value(), 0);
    bar->setValue(7);
    QTest::keyClick(window.get(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(window->tabBar()->currentIndex(), CDataTabDlg::FunctionSwitchesPage);
    QTest::keyClick(window.get(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), 7);
    QTest::keyClick(window.get(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(window->tabBar()->currentIndex(), CDataTabDlg::GeneralPage);
    EXPECT_EQ(bar->value(), bar->maximum());
}

// SW-E filled from SW-B through the row's menu, opened with Shift+F10 on one of the
// row's lists: one step, taken back and made again with the keys.
TEST_F(UserDataUndoTest, FillingARowFromItsMenuIsOneStep) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->tabBar()->setCurrentIndex(CDataTabDlg::FunctionSwitchesPage);
    auto* rowB = find<QWidget>(window->switchPage(), "switchRow1");
    choose(find<QComboBox>(rowB, "mode"), 11); // Priority Scan
    choose(find<QComboBox>(rowB, "scan1"), 1); // F2, and F3 after it
    const EditedBytes before = EditedBytes::of(*state);
    auto* rowE = find<QWidget>(window->switchPage(), "switchRow4");
    // The menu key on any list of the row opens the menu too.
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, {});
    QApplication::sendEvent(find<QComboBox>(rowE, "announcement"), &menuKey);
    ASSERT_NE(qobject_cast<QMenu*>(QApplication::activePopupWidget()), nullptr);
    QApplication::activePopupWidget()->close();
    auto* mode = find<QComboBox>(rowE, "mode");
    mode->setFocus();
    QTest::keyClick(mode, Qt::Key_F10, Qt::ShiftModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    auto* from = menu->findChild<QMenu*>(QStringLiteral("fillFromMenu"));
    ASSERT_NE(from, nullptr);
    EXPECT_EQ(from->title().remove(QLatin1Char('&')), "Fill SW-E from");
    QStringList entries;
    for (QAction* a : from->actions())
        entries << a->text().remove(QLatin1Char('&'));
    EXPECT_EQ(entries, QStringList({"SW-A", "SW-B", "SW-C", "SW-D", "SW-F", "SW-G", "SW-H"}));
    from->actions()[1]->trigger();
    menu->close();

    // SW-E at 0x0282 + 6 * 4: Priority Scan (11) with Tone (0); F2, F3; Standard (2 << 4).
    const std::vector<int> swE{state->editImage.at(0x029A), state->editImage.at(0x029B),
                               state->editImage.at(0x029C), state->editImage.at(0x029D)};
    EXPECT_EQ(swE, (std::vector<int>{0x0B, 2, 3, 0x20}));
    EXPECT_EQ(mode->currentText(), "Priority Scan");
    EXPECT_EQ(find<QComboBox>(rowE, "scan1")->currentText(), "F2");
    EXPECT_EQ(find<QComboBox>(rowE, "scan2")->currentText(), "F3");
    EXPECT_FALSE(find<QWidget>(rowE, "onOffDuty")->isEnabled());
    EXPECT_EQ(window->undoAction()->text(), "&Undo Fill SW-E");
    const EditedBytes filled = EditedBytes::of(*state);
    QTest::keyClick(mode, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(same(EditedBytes::of(*state), before));
    EXPECT_EQ(mode->currentText(), "Selective Call F5");
    EXPECT_FALSE(find<QComboBox>(rowE, "scan1")->isVisible());
    QTest::keyClick(mode, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(same(EditedBytes::of(*state), filled));
}

// Taking a step back while the pager sounds an audition does not open the window
// anew: Play Pager stays locked until the audition has ended.
TEST_F(UserDataUndoTest, AnUndoDuringAnAuditionKeepsPlayPagerLocked) {
    window->tabBar()->setCurrentIndex(CDataTabDlg::FunctionSwitchesPage);
    auto* mode = find<QComboBox>(find<QWidget>(window->switchPage(), "switchRow2"), "mode");
    choose(mode, 0);
    auto* play = find<QPushButton>(find<QWidget>(window->switchPage(), "switchRow0"), "playPager");
    play->click();
    ASSERT_EQ(port.played.size(), 1u);
    window->undoAction()->trigger();
    EXPECT_EQ(mode->currentIndex(), 2);
    EXPECT_FALSE(AuditionState::process().allowed());
    EXPECT_FALSE(play->isEnabled());
}

} // namespace
} // namespace quorl
