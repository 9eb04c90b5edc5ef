#include "codeplug/channel_block.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/default_codeplug.h"
#include "codeplug/tone_encoding.h"
#include "codeplug/tone_target.h"
#include "editors/audition_port.h"
#include "editors/channel_audition.h"
#include "editors/channel_texts.h"
#include "editors/ui/channel_f1_dlg.h"
#include "editors/ui/falshing_dlg.h"
#include "editors/ui/tone_table_dlg.h"
#include "modal_answerer.h"
#include "tests/support/tone_slots.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace quorl {
namespace {

using test::grp;
using test::t1;
using test::t2;

template <typename F> bool waitFor(F done, int ms = 3000) {
    return QTest::qWaitFor(done, ms);
}

// Our own audition interface, recording what the page asks for. It starts the
// page's timer with a short time so that the lock-out can be watched end.
class RecordingAudition : public AuditionPort {
public:
    void play(const AuditionRequest& request, const std::function<void(int)>& startTimer) override {
        requests.push_back(request);
        if (succeed)
            startTimer(lockOutMs);
    }
    std::vector<AuditionRequest> requests;
    bool succeed = true;
    int lockOutMs = 60;
};

// The page inside a dialog, shown for a channel the way the User Data window
// shows it.
class ChannelPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.loadBoth(makeDefaultCodeplug(vhfFiveChannelFactory()));
        ASSERT_TRUE(state.checkImage());
        AuditionState::process().allow();
        page = new CChannelF1Dlg(state, audition, &window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(page);
        show(0);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void TearDown() override { window.close(); }

    void show(int channel) {
        page->setCurrentChannel(channel);
        page->updateDutyState();
        page->showCallTones();
        page->showGroupTones();
        page->loadChannel();
    }
    ConstChannelBlock block() const {
        return ConstChannelBlock(state.editImage, page->currentChannel());
    }
    // A closed modal box may leave the window inactive; focus events need it active.
    void activate() {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void typeInto(QLineEdit* edit, const QString& text) {
        activate();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    // Answers the next modal window with a check of its title and text.
    void expectWarning(const QString& caption, std::string_view text) {
        modals.onNextModal([this, caption, text](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            captions << w->windowTitle();
            modals.texts << (box ? box->text() : QString());
            EXPECT_EQ(w->windowTitle(), caption);
            if (box) {
                EXPECT_EQ(box->text(), systemText(text));
            }
            w->close();
        });
    }

    CodeplugState state;
    RecordingAudition audition;
    QDialog window;
    CChannelF1Dlg* page = nullptr;
    test::ModalAnswerer modals;
    QStringList captions;
};

TEST_F(ChannelPageTest, ShowsTheChannelAndServesEveryChannel) {
    EXPECT_EQ(page->frequencyEdit()->text(), "154.430000");
    EXPECT_EQ(page->toneEdit(t1(1))->text(), "349.0");
    EXPECT_EQ(page->codingOptionCombo()->currentText(), "STD");
    EXPECT_EQ(page->codingOptionCombo()->count(), 11);
    EXPECT_EQ(page->codingOptionCombo()->itemText(10), "R168 (None)");
    EXPECT_EQ(page->alertCombo(0)->itemText(14), "Custom Alert 5");
    EXPECT_TRUE(page->playButton(0)->isVisible());
    EXPECT_FALSE(page->playButton(1)->isVisible());
    EXPECT_FALSE(page->toneEdit(t1(2))->isVisible());
    EXPECT_EQ(page->csLabel(0)->text(), "A - B");
    EXPECT_EQ(page->dutyLabel()->text(), "On/Off Duty : Disabled");
    EXPECT_FALSE(page->dutyCombo(0)->isEnabled());

    show(2); // F3 is R468
    EXPECT_EQ(page->frequencyEdit()->text(), "155.010000");
    EXPECT_EQ(page->codingOptionCombo()->currentText(), "R468");
    EXPECT_TRUE(page->toneEdit(t1(2))->isVisible());
    EXPECT_FALSE(page->toneEdit(t1(2))->isEnabled()); // a copy of A
    EXPECT_EQ(page->toneEdit(t1(2))->text(), "410.8");
    EXPECT_EQ(page->csLabel(kCallCount + 1)->text(), "Long C");
    EXPECT_FALSE(page->pickerButton(t1(2))->isVisible());
    EXPECT_TRUE(page->pickerButton(t2(2))->isVisible());
}

TEST_F(ChannelPageTest, KeyboardRulesOfTheNumericBoxes) {
    QLineEdit* f = page->frequencyEdit();
    f->setFocus();
    f->selectAll();
    QTest::keyClick(f, Qt::Key_Backspace);
    QTest::keyClicks(f, "1x5 5");
    EXPECT_EQ(f->text(), "155");
    QTest::keyClick(f, Qt::Key_Period);
    QTest::keyClick(f, Qt::Key_0, Qt::KeypadModifier);
    QTest::keyClick(f, Qt::Key_1);
    QTest::keyClick(f, Qt::Key_2);
    QTest::keyClick(f, Qt::Key_5);
    EXPECT_EQ(f->text(), "155.0125");
    QTest::keyClick(f, Qt::Key_Return);
    EXPECT_EQ(f->text(), "155.012500");
    EXPECT_EQ(block().synthWord(), 625);
    EXPECT_EQ(block().stepCode(), 0);
    EXPECT_TRUE(state.modified);
    EXPECT_TRUE(window.isVisible()); // Enter never closes the window

    // Ctrl+C / Ctrl+V copy and paste within the boxes.
    f->selectAll();
    QTest::keyClick(f, Qt::Key_C, Qt::ControlModifier);
    QLineEdit* tone = page->toneEdit(t1(1));
    tone->setFocus();
    tone->selectAll();
    QTest::keyClick(tone, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(tone->text(), "155.01"); // the box holds six characters
    expectWarning("Tone", texts::channel::kToneRange);
    QTest::keyClick(tone, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(tone->text(), "349.0");
    EXPECT_EQ(modals.pending(), 0);
}

TEST_F(ChannelPageTest, RejectedEntriesWarnWithTheFieldCaption) {
    expectWarning("Frequency Error", "WARNING: Please enter a number between 142 and 175  ");
    typeInto(page->frequencyEdit(), "141.9");
    QTest::keyClick(page->frequencyEdit(), Qt::Key_Return);
    EXPECT_EQ(page->frequencyEdit()->text(), "154.430000");
    EXPECT_EQ(modals.pending(), 0);

    // A fifth digit is refused as it is typed.
    expectWarning("Tone", texts::channel::kToneRange);
    typeInto(page->toneEdit(t1(1)), "10000");
    EXPECT_EQ(modals.pending(), 0);
    EXPECT_EQ(page->toneEdit(t1(1))->text(), "349.0");

    // Focus loss validates, snapping to the Corvane table.
    typeInto(page->toneEdit(t1(1)), "1000");
    page->frequencyEdit()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(page->toneEdit(t1(1))->text(), "1006.9");
    EXPECT_EQ(block().callTone(1, 1), encodeTone(10069));
    EXPECT_EQ(captions.size(), 2);
}

TEST_F(ChannelPageTest, CorvanePickerStoresThePickedTone) {
    show(2);
    // The picker opens on the stored tone B, 634.5 Hz.
    modals.onNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CToneTableDlgBase*>(w);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->windowTitle(), "Corvane Tone Table");
        EXPECT_TRUE(dlg->radio(12)->isChecked()); // "634.5 (122)"
        dlg->radio(79)->setChecked(true);         // "2468.2 (209)"
        dlg->accept();
    });
    QTest::mouseClick(page->pickerButton(t2(1)), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return modals.pending() == 0; }));
    EXPECT_EQ(page->toneEdit(t2(1))->text(), "2468.2");
    const Address e = layout::channelBase(2) + 0x10;
    EXPECT_EQ(state.editImage.at(e + 2), 0x6A);
    EXPECT_EQ(state.editImage.at(e + 3), 0x60);
    EXPECT_EQ(state.editImage.at(e + 6), 82);
    EXPECT_EQ(state.editImage.at(e + 7), 0);
    // R468 copies B into Long B, on screen and in the image.
    EXPECT_EQ(page->toneEdit(grp(1))->text(), "2468.2");
    EXPECT_EQ(block().groupTone(1).tenthsHz, 24682);

    // Cancel leaves the block as it was.
    const auto before = state.editImage;
    modals.onNextModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    QTest::mouseClick(page->pickerButton(t1(1)), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return modals.pending() == 0; }));
    EXPECT_EQ(state.editImage, before);
}

TEST_F(ChannelPageTest, PickersPreselectPerTable) {
    ChannelBlock b(state.editImage, 0);
    b.setCallTone(1, 1, encodeTone(3305));
    b.setCallTone(1, 2, encodeTone(5250));
    b.setCallTone(2, 1, StoredTone{});
    const auto checked = [](CToneTableDlgBase& d) {
        for (int i = 0; i < 80; ++i)
            if (d.radio(i) && d.radio(i)->isChecked())
                return d.radio(i)->text();
        return QString();
    };
    ToneTarget::process() = ToneTarget{1, 0, 0};
    CCorToneTable cor(state, 0);
    EXPECT_EQ(checked(cor), "330.5 (110)");
    ToneTarget::process() = ToneTarget{0, 1, 0};
    CGEToneTableDlg ge(state, 0);
    EXPECT_EQ(ge.windowTitle(), "GE Tone Table");
    EXPECT_EQ(checked(ge), "517.5 (001)");
    ToneTarget::process() = ToneTarget{2, 0, 0};
    CPLToneTableDlg pl(state, 0);
    EXPECT_EQ(checked(pl), "307.8 (040)");
    CCorToneTable corEmpty(state, 0);
    EXPECT_EQ(checked(corEmpty), "288.5 (138)");
    CGEToneTableDlg geEmpty(state, 0);
    EXPECT_EQ(checked(geEmpty), "517.5 (001)");
    EXPECT_EQ(pl.radio(36)->text(), "3062.0 (037)");
}

TEST_F(ChannelPageTest, PickedToneTooNearItsPartnerWarnsButStays) {
    modals.onNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CToneTableDlgBase*>(w);
        ASSERT_NE(dlg, nullptr);
        dlg->radio(1)->setChecked(true); // "349.0 (111)", equal to tone 1
        dlg->accept();
    });
    expectWarning("Tone", texts::channel::kToneSpacing);
    QTest::mouseClick(page->pickerButton(t2(1)), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return captions.size() == 1; }));
    EXPECT_EQ(block().callTone(1, 2).tenthsHz, 3490);
}

TEST_F(ChannelPageTest, SKeyOpensFalsingAdjustment) {
    state.image.set(layout::channelBase(0) + 8, 0x21);
    state.editImage.set(layout::channelBase(0) + 8, 0x21);
    modals.onNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CFalshingDlg*>(w);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->windowTitle(), "Falsing Adjustment");
        EXPECT_EQ(dlg->toneToleranceSlider()->value(), 2);
        EXPECT_EQ(dlg->interpageGapSlider()->value(), 1);
        dlg->interpageGapSlider()->setValue(2);
        dlg->accept();
    });
    page->codingOptionCombo()->setFocus();
    QTest::keyClick(page->codingOptionCombo(), Qt::Key_S);
    ASSERT_TRUE(waitFor([&] { return modals.pending() == 0; }));
    EXPECT_EQ(state.image.at(layout::channelBase(0) + 8), 0x22);
    // The User Data window's Cancel keeps it.
    state.restoreChannelArea();
    EXPECT_EQ(state.editImage.at(layout::channelBase(0) + 8), 0x22);
    EXPECT_EQ(page->codingOptionCombo()->currentText(), "STD");

    // The page itself takes the key too once the host focuses it.
    modals.onNextModal([](QWidget* w) {
        EXPECT_NE(qobject_cast<CFalshingDlg*>(w), nullptr);
        static_cast<QDialog*>(w)->reject();
    });
    activate();
    page->setFocus();
    QTest::keyClick(page, Qt::Key_S);
    ASSERT_TRUE(waitFor([&] { return modals.pending() == 0; }));
    EXPECT_EQ(state.editImage.at(layout::channelBase(0) + 8), 0x22);
}

// The falsing dialog has a button too, and a tone typed just before S is kept:
// checked as if the box had lost the focus, before the dialog opens.
TEST_F(ChannelPageTest, FalsingButtonAndATypedToneKeptWhenSOpensTheDialog) {
    EXPECT_EQ(page->falsingButton()->text(), "Falsing... (S)");
    // The duty lists have their heading, over their own column.
    auto* duty = page->findChild<QLabel*>(QStringLiteral("dutyHeading"));
    ASSERT_NE(duty, nullptr);
    EXPECT_EQ(duty->text(), "Duty");
    EXPECT_NEAR(duty->geometry().center().x(), page->dutyCombo(0)->geometry().center().x(),
                page->dutyCombo(0)->width() / 2);
    int opened = 0;
    const auto answer = [&](QWidget* w) {
        EXPECT_NE(qobject_cast<CFalshingDlg*>(w), nullptr);
        ++opened;
        static_cast<QDialog*>(w)->reject();
    };
    modals.onNextModal(answer);
    QTest::mouseClick(page->falsingButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return modals.pending() == 0; }));
    EXPECT_EQ(opened, 1);

    QLineEdit* box = page->toneEdit(t1(1));
    ASSERT_NE(ConstChannelBlock(state.editImage, 0).callTone(1, 1).tenthsHz, 11852);
    typeInto(box, "1200");
    modals.onNextModal(answer);
    QTest::keyClick(box, Qt::Key_S);
    ASSERT_TRUE(waitFor([&] { return modals.pending() == 0; }));
    EXPECT_EQ(opened, 2);
    // 1200 Hz is stored as the tone system's nearest tone, 1185.2 Hz.
    EXPECT_EQ(ConstChannelBlock(state.editImage, 0).callTone(1, 1).tenthsHz, 11852);
}

TEST_F(ChannelPageTest, FalsingCancelRestoresAndCorruptLevelsShowAtTheEnd) {
    const Address a = layout::channelBase(0) + 8;
    state.image.set(a, 0xCF);
    state.editImage.set(a, 0xCF);
    {
        CFalshingDlg dlg(state, 0);
        EXPECT_EQ(dlg.interpageGapSlider()->value(), 2);
        EXPECT_EQ(state.editImage.at(a), 0xCF); // opening writes nothing
        dlg.toneToleranceSlider()->setValue(1);
        dlg.toneToleranceSlider()->setValue(0);
        EXPECT_EQ(state.editImage.at(a), 0x03);
        dlg.reject();
    }
    EXPECT_EQ(state.editImage.at(a), 0xCF);
    EXPECT_EQ(state.image.at(a), 0xCF);
}

// A slider's handle, where a user grabs it.
QRect sliderHandle(QSlider* slider) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.tickPosition = slider->tickPosition();
    option.tickInterval = slider->tickInterval();
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle,
                                           slider);
}

TEST_F(ChannelPageTest, BothFalsingSlidersFollowTheMouse) {
    const Address a = layout::channelBase(0) + 8;
    CFalshingDlg dlg(state, 0, page);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    for (QSlider* slider : {dlg.toneToleranceSlider(), dlg.interpageGapSlider()}) {
        // The handle dragged to the right end, the way a user moves it.
        const QPoint grab = sliderHandle(slider).center();
        QWidget* hit = dlg.childAt(slider->mapTo(&dlg, grab));
        EXPECT_EQ(hit, slider);
        QTest::mousePress(slider, Qt::LeftButton, {}, grab);
        QMouseEvent move(QEvent::MouseMove, QPointF(slider->width() - 2, grab.y()),
                         slider->mapToGlobal(QPointF(slider->width() - 2, grab.y())), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(slider, &move);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width() - 2, grab.y()));
        EXPECT_EQ(slider->value(), 2);
        // A click on the tick marks below the groove picks the nearest level too.
        QTest::mouseClick(slider, Qt::LeftButton, {},
                          QPoint(slider->width() / 2, slider->height() - 2));
        EXPECT_EQ(slider->value(), 1);
        QTest::mouseClick(slider, Qt::LeftButton, {},
                          QPoint(slider->width() - 2, slider->height() - 2));
        EXPECT_EQ(slider->value(), 2);
    }
    EXPECT_EQ(state.editImage.at(a) & 0x33, 0x22);
    dlg.reject();
}

TEST_F(ChannelPageTest, PlayPagerSendsTheAlertAndLocksOut) {
    page->alertCombo(0)->setCurrentIndex(12);
    EXPECT_EQ(CallFlags::alert(block().callFlags(1)), 12);
    QTest::mouseClick(page->playButton(0), Qt::LeftButton);
    ASSERT_EQ(audition.requests.size(), 1u);
    EXPECT_EQ(audition.requests[0].command, 0xB0);
    EXPECT_EQ(audition.requests[0].parameters, std::vector<std::uint8_t>{2});
    EXPECT_EQ(audition.requests[0].durationMs, 4000);
    EXPECT_FALSE(page->playButton(0)->isEnabled());
    EXPECT_FALSE(channelPlayReady());
    // A press during the lock-out sends nothing.
    page->playButton(0)->click();
    EXPECT_EQ(audition.requests.size(), 1u);
    ASSERT_TRUE(waitFor([&] { return page->playButton(0)->isEnabled(); }));
    EXPECT_TRUE(channelPlayReady());

    page->alertCombo(0)->setCurrentIndex(4);
    audition.succeed = false;
    QTest::mouseClick(page->playButton(0), Qt::LeftButton);
    ASSERT_EQ(audition.requests.size(), 2u);
    EXPECT_EQ(audition.requests[1].command, 0xB5);
    EXPECT_EQ(audition.requests[1].parameters, std::vector<std::uint8_t>{4});
    EXPECT_TRUE(page->playButton(0)->isEnabled()); // a failure frees the buttons

    // An audition of another page (function switches) keeps this one quiet too.
    AuditionState::process().started(1000);
    page->playButton(0)->click();
    EXPECT_EQ(audition.requests.size(), 2u);
    AuditionState::process().allow();
}

TEST_F(ChannelPageTest, RearmedTimerAndMissingCradle) {
    page->rearmAuditionTimer(50);
    EXPECT_FALSE(page->playButton(0)->isEnabled());
    ASSERT_TRUE(waitFor([&] { return page->playButton(0)->isEnabled(); }));

    bool cradle = false;
    int cradleAsked = 0;
    page->setCradleConnected([&] {
        ++cradleAsked;
        return cradle;
    });
    EXPECT_FALSE(page->playButton(0)->isEnabled());
    const int askedBefore = cradleAsked;
    page->rearmAuditionTimer(30);
    // The end of the audition asks for the cradle before it enables the buttons.
    ASSERT_TRUE(waitFor([&] { return cradleAsked > askedBefore; }));
    EXPECT_FALSE(page->playButton(0)->isEnabled());
}

TEST_F(ChannelPageTest, ToneSystemUserHidesPickersAndResetTimerFollowsTheFunction) {
    page->toneSystemCombo()->setCurrentIndex(3);
    EXPECT_FALSE(page->pickerButton(t1(1))->isVisible());
    EXPECT_EQ(block().toneSystem(), 3);
    EXPECT_FALSE(page->timerEdit()->isVisible());
    page->resetFunctionCombo()->setCurrentIndex(4);
    EXPECT_TRUE(page->timerEdit()->isVisible());
    // A typed value out of range that was never validated: the spin starts over
    // at 0.5 rather than storing a count that does not fit the byte.
    typeInto(page->timerEdit(), "900");
    QTest::mouseClick(page->timerUpButton(), Qt::LeftButton);
    EXPECT_EQ(page->timerEdit()->text(), "0.5");
    EXPECT_EQ(block().resetTimer(), 1);
    typeInto(page->timerEdit(), "127.5");
    QTest::keyClick(page->timerEdit(), Qt::Key_Return);
    EXPECT_EQ(block().resetTimer(), 255);
    QTest::mouseClick(page->timerUpButton(), Qt::LeftButton);
    EXPECT_EQ(page->timerEdit()->text(), "0.5");
    QTest::mouseClick(page->timerDownButton(), Qt::LeftButton);
    EXPECT_EQ(page->timerEdit()->text(), "127.5");
    page->squelchSlider()->setValue(4);
    EXPECT_EQ(block().squelchLevel(), 4);
}

} // namespace
} // namespace quorl
