// Every value a box shows can be typed back and gives the byte it came from: the
// whole range of every decimal field, shown text -> typed -> stored.
#include "base/decimal_text.h"
#include "codeplug/channel_block.h"
#include "codeplug/default_codeplug.h"
#include "editors/channel_tab.h"
#include "editors/frequency_entry.h"
#include "editors/model_options_tab.h"
#include "editors/reset_timer.h"
#include "recording_messages.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>
#include <memory>

namespace quorl {
namespace {

TEST(TypedBack, EveryShownValueTypesBackToItsByte) {
    auto state = std::make_unique<CodeplugState>();
    state->loadBoth(makeDefaultCodeplug(vhfFiveChannelFactory()));
    ASSERT_TRUE(state->checkImage());
    test::RecordingMessages messages;

    // Model options: priority scan 8..255 steps of 8 ms, alert duration 1..255 of 480 ms.
    ModelOptionsTab options(*state, messages);
    options.open();
    for (int v = 8; v <= 255; ++v) {
        options.commitPriorityScanText(formatPriorityScan(v));
        ASSERT_EQ(state->editImage.at(0x0212), v) << formatPriorityScan(v);
    }
    for (int v = 1; v <= 255; ++v) {
        options.commitAlertDurationText(formatAlertDuration(v));
        ASSERT_EQ(state->editImage.at(0x0213), v) << formatAlertDuration(v);
    }

    // Reset timer: 1..255 half seconds.
    for (int v = 1; v <= 255; ++v) {
        const std::string shown = formatResetTimer(static_cast<std::uint8_t>(v));
        ASSERT_EQ(resetTimerCount(parseDecimalText(shown).value()), v) << shown;
    }

    // Tones, with the "User" system (no table to snap to): 280.0..3400.0 Hz in tenths.
    ChannelBlock(state->editImage, 0).setToneSystem(3);
    ChannelTab tab(*state, messages);
    tab.create();
    tab.setCurrentChannel(0);
    tab.showCallTones();
    tab.showGroupTones();
    tab.loadChannel();
    const ToneSlot tone1{ToneKind::Tone1, 1}, tone2{ToneKind::Tone2, 1};
    tab.tones[static_cast<std::size_t>(toneBoxIndex(tone2))].text.clear();
    ASSERT_TRUE(tab.validateTone(tone2));
    for (int t = 2800; t <= 34000; ++t) {
        const std::string shown = decimalText(t / 10.0, 1);
        tab.tones[static_cast<std::size_t>(toneBoxIndex(tone1))].text = shown;
        ASSERT_TRUE(tab.validateTone(tone1)) << shown;
        ASSERT_EQ(ConstChannelBlock(state->editImage, 0).tone(tone1).tenthsHz, t) << shown;
    }

    // UHF frequencies on the 6.25 kHz grid over the whole 449-487 MHz the 450-486 split
    // takes: local oscillator 403.9..441.9 MHz.
    for (std::int64_t k = 64624; k <= 70704; ++k) {
        const auto w = static_cast<std::uint16_t>(k / 128);
        const auto f = static_cast<std::uint8_t>(k % 128);
        const std::string shown = formatReceiveFrequency(w, f, 3, 3);
        const FrequencyCheck typed = checkFrequency(shown, 450, 486, 3);
        ASSERT_EQ(typed.outcome, FrequencyCheck::Outcome::Accepted) << shown;
        ASSERT_EQ(typed.setting.word, w) << shown;
        ASSERT_EQ(typed.setting.fraction, f) << shown;
    }
}

} // namespace
} // namespace quorl
