#include "codeplug/channel_block.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/default_codeplug.h"
#include "codeplug/tone_encoding.h"
#include "codeplug/tone_target.h"
#include "editors/channel_tab.h"
#include "editors/channel_texts.h"
#include "recording_messages.h"
#include "tests/support/tone_slots.h"

#include <functional>
#include <gtest/gtest.h>

namespace quorl {
namespace {

namespace txt = texts::channel;

using test::grp;
using test::t1;
using test::t2;

// A channel tab over a real factory image, shown the way the window shows it.
class ChannelTabTest : public ::testing::Test {
protected:
    void load(const CodeplugImage& image, int channel = 0) {
        state.loadBoth(image);
        ASSERT_TRUE(state.checkImage());
        tab.create();
        show(channel);
    }
    void SetUp() override { load(makeDefaultCodeplug(vhfFiveChannelFactory())); }

    void show(int channel) {
        tab.setCurrentChannel(channel);
        tab.updateDutyState();
        tab.showCallTones();
        tab.showGroupTones();
        tab.loadChannel();
        state.modified = false;
    }
    ConstChannelBlock block() const {
        return ConstChannelBlock(state.editImage, tab.currentChannel());
    }
    ChannelBlock editBlock() { return ChannelBlock(state.editImage, tab.currentChannel()); }
    std::string& text(ToneSlot s) {
        return tab.tones[static_cast<std::size_t>(toneBoxIndex(s))].text;
    }
    const ToneBoxView& boxOf(ToneSlot s) {
        return tab.tones[static_cast<std::size_t>(toneBoxIndex(s))];
    }
    // Typing a tone and pressing Enter.
    bool enter(ToneSlot s, const std::string& typed) {
        tab.otherKeyPressed();
        text(s) = typed;
        return tab.enterPressed(ChannelTab::Box::Tone, s);
    }
    std::uint16_t stored(ToneSlot s) const { return block().tone(s).tenthsHz; }

    // Lets duty be edited on every channel: switch A in Silent Scan with duty on.
    void enableDuty() {
        state.editImage.set(0x0282, 12);
        state.editImage.set(0x0285, 0x01);
    }

    CodeplugState state;
    test::RecordingMessages messages;
    ChannelTab tab{state, messages};
};

TEST_F(ChannelTabTest, LoadShowsTheChannel) {
    EXPECT_EQ(tab.frequencyText, "154.430000");
    EXPECT_EQ(tab.codingOption, 3);
    EXPECT_EQ(text(t1(1)), "349.0");
    EXPECT_EQ(text(t2(1)), "832.5");
    EXPECT_TRUE(tab.rows[0].visible);
    EXPECT_FALSE(tab.rows[1].visible);
    EXPECT_EQ(tab.rows[0].label, "A - B");
    EXPECT_TRUE(boxOf(t1(1)).pickerVisible);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(state.modified);
}

TEST_F(ChannelTabTest, FrequencyEntryEncodesOnTheStepGrid) {
    tab.frequencyText = "155";
    EXPECT_TRUE(tab.validateFrequency());
    EXPECT_EQ(tab.frequencyText, "155.000000");
    EXPECT_EQ(block().synthWord(), 312);
    EXPECT_EQ(block().fraction(), 84);
    EXPECT_EQ(block().stepCode(), 2);
    EXPECT_TRUE(state.modified);

    tab.frequencyText = "155.0125";
    EXPECT_TRUE(tab.validateFrequency());
    EXPECT_EQ(block().synthWord(), 625);
    EXPECT_EQ(block().fraction(), 45);
    EXPECT_EQ(block().stepCode(), 0);

    // Off the 2.5 kHz grid: rejected, the last accepted text comes back.
    tab.frequencyText = "155.0126";
    EXPECT_FALSE(tab.validateFrequency());
    EXPECT_EQ(tab.frequencyText, "155.012500");
    EXPECT_EQ(block().synthWord(), 625);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, txt::kInvalidFrequency);
    EXPECT_EQ(messages.shown[0].caption, "Frequency");
}

TEST_F(ChannelTabTest, FrequencyBandLimitsAndTheOutOfBandWarning) {
    tab.frequencyText = "142.000000";
    EXPECT_TRUE(tab.validateFrequency());
    auto shown = messages.take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Receiver Frequency");
    EXPECT_EQ(tab.frequencyText, "142.000000");

    // Leaving the tab takes it silently.
    tab.frequencyText = "175.0";
    EXPECT_TRUE(tab.validateFrequency(true));
    EXPECT_TRUE(messages.shown.empty());

    tab.frequencyText = "141.9";
    EXPECT_FALSE(tab.validateFrequency(true));
    shown = messages.take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "WARNING: Please enter a number between 142 and 175  ");
    EXPECT_EQ(shown[0].caption, "Frequency Error");
    EXPECT_EQ(tab.frequencyText, "175.000000");

    // Pasted text that is no number at all reads as 0 and is refused.
    tab.frequencyText = "nan";
    EXPECT_FALSE(tab.validateFrequency());
    EXPECT_EQ(messages.take().size(), 1u);
}

TEST_F(ChannelTabTest, UhfNeedsThe6250HzGrid) {
    load(makeDefaultCodeplug(uhfSingleChannelFactory()));
    tab.frequencyText = "460";
    EXPECT_TRUE(tab.validateFrequency());
    EXPECT_EQ(block().synthWord(), 518);
    EXPECT_EQ(block().fraction(), 80);
    EXPECT_EQ(block().stepCode(), 3);
    tab.frequencyText = "460.003125";
    EXPECT_FALSE(tab.validateFrequency());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "WARNING: Invalid frequency. ");
    EXPECT_EQ(block().synthWord(), 518);
}

TEST_F(ChannelTabTest, ToneRangeAndSnappingPerToneSystem) {
    tab.setToneSystem(3); // User
    EXPECT_FALSE(boxOf(t1(1)).pickerVisible);
    EXPECT_FALSE(enter(t1(1), "279.9"));
    EXPECT_EQ(text(t1(1)), "349.0");
    auto shown = messages.take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, txt::kToneRange);
    EXPECT_EQ(shown[0].caption, "Tone");
    EXPECT_TRUE(enter(t1(1), "280"));
    EXPECT_EQ(text(t1(1)), "280.0");
    EXPECT_EQ(block().tone(t1(1)), encodeTone(2800));
    EXPECT_FALSE(enter(t1(1), "3400.1"));
    messages.take();

    struct Case {
        int system;
        const char* expected;
    };
    for (auto c : {Case{0, "1006.9"}, Case{2, "992.0"}, Case{4, "992.0"}, Case{1, "967.5"}}) {
        tab.setToneSystem(c.system);
        EXPECT_TRUE(enter(t1(1), "1000")) << c.system;
        EXPECT_EQ(text(t1(1)), c.expected) << c.system;
    }
    EXPECT_EQ(stored(t1(1)), 9675);
    for (auto& m : messages.shown)
        ADD_FAILURE() << m.text;
}

TEST_F(ChannelTabTest, SameCallSpacing) {
    tab.setToneSystem(3);
    ASSERT_TRUE(enter(t1(1), "1000.0"));
    EXPECT_FALSE(enter(t2(1), "1015.0"));
    EXPECT_EQ(text(t2(1)), "832.5");
    EXPECT_EQ(stored(t2(1)), 8325);
    ASSERT_EQ(messages.take().size(), 1u);
    EXPECT_TRUE(enter(t2(1), "1016.0"));
    EXPECT_EQ(stored(t2(1)), 10160);
}

TEST_F(ChannelTabTest, R468KeepsItsCopiesOnScreenAndInTheImage) {
    tab.setCodingOption(0);
    EXPECT_EQ(tab.rows[1].label, "A - C");
    EXPECT_EQ(tab.rows[kCallCount].label, "Long B");
    EXPECT_EQ(tab.rows[kCallCount + 1].label, "Long C");
    EXPECT_FALSE(boxOf(t1(2)).enabled);
    EXPECT_FALSE(boxOf(grp(1)).enabled);
    EXPECT_TRUE(boxOf(t2(2)).enabled);
    EXPECT_FALSE(boxOf(t1(2)).pickerVisible);
    // Applying the option already copied A and B.
    EXPECT_EQ(text(t1(2)), "349.0");
    EXPECT_EQ(stored(t1(2)), 3490);
    EXPECT_EQ(text(grp(1)), "832.5");
    EXPECT_EQ(block().codingOption(), 0);
    EXPECT_TRUE(state.modified);

    ASSERT_TRUE(enter(t1(1), "1000"));
    EXPECT_EQ(text(t1(2)), "1006.9");
    EXPECT_EQ(block().tone(t1(2)), encodeTone(10069));
    ASSERT_TRUE(enter(t2(1), "600"));
    EXPECT_EQ(text(grp(1)), "600.9");
    EXPECT_EQ(block().tone(grp(1)), encodeTone(6009));
    ASSERT_TRUE(enter(t2(2), "746"));
    EXPECT_EQ(text(grp(2)), "746.8");
    EXPECT_EQ(stored(grp(2)), 7468);
}

TEST_F(ChannelTabTest, SwitchingFromR168ToStdClearsUnusedTonesButKeepsFlags) {
    tab.setCodingOption(10);
    enableDuty();
    tab.updateDutyState();
    for (int call = 2; call <= kCallCount; ++call) {
        ASSERT_TRUE(enter(t1(call), "1472.9"));
        ASSERT_TRUE(enter(t2(call), "1930.2"));
        tab.setAlert(call - 1, 5);
        tab.setVibrate(call - 1, 1);
        tab.setDuty(call - 1, 0);
    }
    for (int g = 1; g <= kGroupCount; ++g) {
        ASSERT_TRUE(enter(grp(g), "2468.2"));
        tab.setAlert(kCallCount + g - 1, 12);
    }
    tab.setCodingOption(3);
    EXPECT_EQ(stored(t1(1)), 3490);
    for (int call = 2; call <= kCallCount; ++call) {
        EXPECT_EQ(block().tone(t1(call)), StoredTone{});
        EXPECT_EQ(block().tone(t2(call)), StoredTone{});
        EXPECT_EQ(block().callFlags(call), 0x25); // Music 4, pulsed, off duty
        EXPECT_FALSE(tab.rows[static_cast<std::size_t>(call - 1)].visible);
        EXPECT_EQ(text(t1(call)), "");
    }
    for (int g = 1; g <= kGroupCount; ++g) {
        EXPECT_EQ(block().groupTone(g), StoredTone{});
        EXPECT_EQ(block().groupFlags(g) & 0x0F, 12);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ChannelTabTest, DutyRule) {
    enableDuty();
    tab.updateDutyState();
    EXPECT_TRUE(tab.dutyEnabled);
    EXPECT_EQ(tab.dutyLabel, "On/Off Duty : Enabled");
    // STD: Call 1 is the only call address and can never go off duty.
    tab.setDuty(0, 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.take()[0].caption, "Duty On/Off");
    EXPECT_EQ(tab.rows[0].duty, 1);
    EXPECT_TRUE(CallFlags::onDuty(block().callFlags(1)));

    // R138: Call 1 may go off while Group 1 is on, then Group 1 may not.
    tab.setCodingOption(5);
    tab.setDuty(kCallCount, 1);
    tab.setDuty(0, 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(CallFlags::onDuty(block().callFlags(1)));
    tab.setDuty(kCallCount, 0);
    EXPECT_EQ(messages.take().size(), 1u);
    EXPECT_TRUE(CallFlags::onDuty(block().groupFlags(1)));

    // A layout that leaves no used entry on duty puts Call 1 back on.
    tab.setDuty(0, 0);
    editBlock().setGroupFlags(1, 0);
    tab.setCodingOption(3);
    ASSERT_EQ(messages.take().size(), 1u);
    EXPECT_EQ(tab.rows[0].duty, 1);
    EXPECT_TRUE(CallFlags::onDuty(block().callFlags(1)));
}

TEST_F(ChannelTabTest, DutyDisabledForcesEveryEntryOnDuty) {
    editBlock().setGroupFlags(3, 0x02);
    show(0);
    EXPECT_FALSE(tab.dutyEnabled);
    EXPECT_EQ(tab.dutyLabel, "On/Off Duty : Disabled");
    for (int row = 0; row < kEntryRows; ++row) {
        EXPECT_EQ(tab.rows[static_cast<std::size_t>(row)].duty, 1);
        EXPECT_TRUE(CallFlags::onDuty(block().entryFlags(row)));
    }
    EXPECT_EQ(block().groupFlags(3), 0x12);
}

TEST_F(ChannelTabTest, ResetTimerEntryAndSpin) {
    tab.setResetFunction(1);
    EXPECT_TRUE(tab.timerVisible);
    tab.setResetFunction(2);
    EXPECT_FALSE(tab.timerVisible);
    EXPECT_EQ((block().resetFunction()), 2);

    for (const char* bad : {"0.4", "128"}) {
        tab.timerText = bad;
        EXPECT_FALSE(tab.validateResetTimer()) << bad;
    }
    auto shown = messages.take();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, txt::kResetTimerRange);
    EXPECT_EQ(shown[0].caption, "Tessaly VI Quorl");
    tab.timerText = "127.5";
    EXPECT_TRUE(tab.validateResetTimer());
    EXPECT_EQ(block().resetTimer(), 255);
    tab.stepResetTimer(true);
    EXPECT_EQ(tab.timerText, "0.5");
    EXPECT_EQ(block().resetTimer(), 1);
    tab.stepResetTimer(false);
    EXPECT_EQ(tab.timerText, "127.5");
    EXPECT_EQ(block().resetTimer(), 255);
    tab.timerText = "1.2"; // to the nearest half second
    EXPECT_TRUE(tab.validateResetTimer());
    EXPECT_EQ(tab.timerText, "1.0");
    EXPECT_EQ(block().resetTimer(), 2);
    tab.timerText = "1.3";
    EXPECT_TRUE(tab.validateResetTimer());
    EXPECT_EQ(tab.timerText, "1.5");
    EXPECT_EQ(block().resetTimer(), 3);
    // Stepping from a typed value that was never accepted keeps screen and image equal.
    tab.timerText = "900";
    tab.stepResetTimer(false);
    EXPECT_EQ(tab.timerText, "127.5");
    EXPECT_EQ(block().resetTimer(), 255);
}

TEST_F(ChannelTabTest, LoadRepairsOutOfRangeFields) {
    auto b = editBlock();
    state.editImage.set(b.base() + 9, static_cast<std::uint8_t>(0x20 | 7));
    b.setCodingOption(42);
    b.setSquelchLevel(9);
    b.setCallFlags(1, 0x1F);
    show(0);
    EXPECT_EQ(tab.toneSystem, 3);
    EXPECT_EQ(block().toneSystem(), 3);
    EXPECT_EQ(block().resetFunction(), 2);
    EXPECT_EQ(tab.codingOption, 10);
    EXPECT_EQ(block().codingOption(), 10);
    EXPECT_EQ(tab.squelch, 2);
    EXPECT_EQ(block().squelchLevel(), 2);
    EXPECT_EQ(tab.rows[0].alert, 0);
    EXPECT_EQ(block().callFlags(1), 0x10);
}

TEST_F(ChannelTabTest, PartnersOfNamedOptionsAreMatched) {
    tab.setToneSystem(3);
    tab.setCodingOption(0); // R468: the B tones of Call 1 and Call 2 must agree if close
    ASSERT_TRUE(enter(t2(2), "1000.0"));
    ASSERT_TRUE(enter(t2(1), "1010.0"));
    EXPECT_EQ(stored(t2(1)), 10000);
    EXPECT_EQ(text(grp(1)), "1000.0");
    // Outside 1.55 % it stays as typed.
    ASSERT_TRUE(enter(t2(1), "1016.0"));
    EXPECT_EQ(stored(t2(1)), 10160);

    // R134's own Long C group tone matches Call 1 tone 1 first.
    tab.setCodingOption(4);
    ASSERT_TRUE(enter(grp(2), "350.0"));
    EXPECT_EQ(stored(grp(2)), 3490);
}

TEST_F(ChannelTabTest, R168MatchesTheNearestToneInSearchOrder) {
    tab.setToneSystem(3);
    tab.setCodingOption(10);
    ASSERT_TRUE(enter(t1(3), "1000.0"));
    ASSERT_TRUE(enter(grp(2), "1010.0")); // within 1.55 % of 1000.0
    EXPECT_EQ(stored(grp(2)), 10000);
    ASSERT_TRUE(enter(t1(5), "1025.0")); // 1.55 % above 1000.0 ends at 1015.5
    EXPECT_EQ(stored(t1(5)), 10250);
    ASSERT_TRUE(enter(t1(6), "1013.0")); // in both bands, nearer to 1025.0
    EXPECT_EQ(stored(t1(6)), 10250);
    ASSERT_TRUE(enter(t1(7), "1012.5")); // a tie: call 3 is searched before call 5
    EXPECT_EQ(stored(t1(7)), 10000);

    // A tie between kinds goes to the box's own kind first.
    ASSERT_TRUE(enter(t2(4), "1500.0"));
    ASSERT_TRUE(enter(t1(8), "1525.0"));
    ASSERT_TRUE(enter(t2(9), "1512.5"));
    EXPECT_EQ(stored(t2(9)), 15000);
    ASSERT_TRUE(enter(t1(10), "1512.5"));
    EXPECT_EQ(stored(t1(10)), 15250);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ChannelTabTest, EnterThenFocusLossValidatesOnce) {
    text(t1(1)) = "100";
    tab.enterPressed(ChannelTab::Box::Tone, t1(1));
    tab.focusLost(ChannelTab::Box::Tone, t1(1));
    EXPECT_EQ(messages.take().size(), 1u);
    tab.otherKeyPressed();
    text(t1(1)) = "100";
    tab.focusLost(ChannelTab::Box::Tone, t1(1));
    EXPECT_EQ(messages.take().size(), 1u);

    // A fifth digit is refused while typing.
    tab.toneTextEdited(t1(1), "34000");
    EXPECT_EQ(text(t1(1)), "349.0");
    EXPECT_EQ(messages.take().size(), 1u);
    EXPECT_TRUE(tab.enterHandled());
    tab.toneTextEdited(t1(1), "3400");
    EXPECT_TRUE(messages.shown.empty());

    // Text pasted with the mouse after an Enter is still validated on leaving.
    text(t1(1)) = "100";
    tab.enterPressed(ChannelTab::Box::Tone, t1(1));
    EXPECT_EQ(messages.take().size(), 1u);
    tab.toneTextEdited(t1(1), "200");
    tab.focusLost(ChannelTab::Box::Tone, t1(1));
    EXPECT_EQ(messages.take().size(), 1u);
}

// The two tones of a call are never the same, however a tone gets there: typed into
// the call, copied from another call, or moved by a new tone system's snap. Each
// refusal leaves the channel as it was and names the tones.
TEST_F(ChannelTabTest, TheSameToneRuleHoldsForEveryToneACallGets) {
    struct Case {
        const char* name;
        std::function<void()> setUp;
        std::function<void()> act;
        const char* named; // in the message after the rule's text
    };
    const Case cases[] = {
        {"a copy under R468",
         [&] {
             tab.setCodingOption(0); // Call 2 Tone 1 follows Call 1 Tone 1
             ASSERT_TRUE(enter(t2(2), "746.8"));
         },
         [&] { EXPECT_FALSE(enter(t1(1), "746.8")); },
         "Call 2 Tone 1 follows Call 1 Tone 1 under R468: 746.8 next to Call 2 Tone 2 746.8"},
        {"a snap to GE's top entry",
         [&] {
             tab.setToneSystem(3);
             ASSERT_TRUE(enter(t1(1), "1000.0"));
             ASSERT_TRUE(enter(t2(1), "1100.0"));
         },
         [&] { tab.setToneSystem(1); },
         "Call 1 under GE: Tone 1 1000.0 becomes 967.5, Tone 2 1100.0 becomes 967.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        load(makeDefaultCodeplug(vhfFiveChannelFactory()));
        c.setUp();
        messages.take();
        const CodeplugImage before = state.editImage;
        const int system = tab.toneSystem;
        c.act();
        const auto shown = messages.take();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_TRUE(shown[0].text.starts_with(txt::kToneSpacing)) << shown[0].text;
        EXPECT_NE(shown[0].text.find(c.named), std::string::npos) << shown[0].text;
        EXPECT_TRUE(state.editImage == before);
        EXPECT_EQ(tab.toneSystem, system);
    }
}

TEST_F(ChannelTabTest, PickerShowsThePickedToneAndWarnsAboutSpacing) {
    const ToneTable* table = tab.beginPick(t2(1));
    ASSERT_EQ(table, &corvaneToneTable());
    EXPECT_EQ(ToneTarget::process().tone2Call, 1);
    EXPECT_EQ(ToneTarget::process().tone1Call, 0);
    EXPECT_TRUE(state.modified);
    // What the picker does on OK for "349.0 (111)": the stores in order.
    const auto& target = ToneTarget::process();
    storeTone1(state, 0, target, 3490);
    storeTone2(state, 0, target, 3490);
    storeGroupTone(state, 0, target, 3490);
    tab.finishPick(t2(1), true);
    EXPECT_EQ(text(t2(1)), "349.0");
    EXPECT_EQ(stored(t2(1)), 3490);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, txt::kToneSpacing);
}

TEST_F(ChannelTabTest, ClearAllTonesKeepsFlagsAndOption) {
    tab.setCodingOption(0);
    tab.setAlert(0, 7);
    tab.clearAllTones();
    for (int i = 0; i < kToneBoxes; ++i) {
        EXPECT_EQ(tab.tones[static_cast<std::size_t>(i)].text, "");
        EXPECT_EQ(block().tone(toneBoxSlot(i)), StoredTone{});
    }
    EXPECT_EQ(block().callFlags(1), 0x17);
    EXPECT_EQ(block().codingOption(), 0);
}

TEST_F(ChannelTabTest, CombosStoreTheirBits) {
    const Address b = block().base();
    tab.setBandwidth(0);
    EXPECT_FALSE(block().wideBandwidth());
    tab.setSquelch(4);
    EXPECT_EQ(state.editImage.at(b + 7), 4);
    tab.setVibrate(0, 1);
    EXPECT_TRUE(CallFlags::pulsedVibrate(block().callFlags(1)));
    tab.setAlert(0, 14);
    EXPECT_EQ(CallFlags::alert(block().callFlags(1)), 14);
    state.editImage.set(b + 9, 0x88);
    tab.setResetFunction(6);
    EXPECT_EQ(state.editImage.at(b + 9), 0x60);
    // Only the channel shown is touched, and never the committed image.
    EXPECT_EQ(state.image.at(b + 7), makeDefaultCodeplug(vhfFiveChannelFactory()).at(b + 7));
}

} // namespace
} // namespace quorl
