// Announcements spoken by the real eSpeak NG and tidied by libsox.
#include "audio/spoken_recording.h"
#include "audio/switch_announcements.h"
#include "audio/wav_check.h"
#include "tests/voicelib/test_wav.h"

#include <gtest/gtest.h>
#include <set>

namespace quorl {
namespace {

TEST(SpokenRecording, EverySwitchModeIsSpokenIntoASlotsWavInEnglishAndGerman) {
    vq4::test::TempDir dir("speak");
    for (const std::string voice : {"en", "de"}) {
        std::set<std::string> said;
        for (int mode = 0; mode < 14; ++mode) {
            const std::string text = switchAnnouncement(mode, voice);
            SCOPED_TRACE(voice + ": " + text);
            said.insert(text);
            const SpokenRecording spoken = speakForSlot(text, {voice, 150, 50});
            ASSERT_EQ(spoken.problem, "");
            const auto wav = dir.path() / spokenFileName(5, text, voice);
            const auto bytes = spokenWav(spoken);
            vq4::test::writeBytes(
                wav, std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
            EXPECT_EQ(checkWav(wav).status, WavCheck::Ok);
            // A phrase takes a good part of a second, well inside a slot's 4 s.
            EXPECT_GT(spoken.samples.size(), 2400u);
            EXPECT_LT(spoken.samples.size(), 24000u);
        }
        EXPECT_EQ(said.size(), 14u); // no two modes sound alike
    }
    EXPECT_NE(switchAnnouncement(11, "de"), switchAnnouncement(11, "en"));
    EXPECT_EQ(switchAnnouncement(14, "en"), "");
}

TEST(SpokenRecording, TooLongOrUnknownVoiceIsSaid) {
    EXPECT_NE(speakForSlot("Scan", {"no-such-voice", 150, 50}).problem, "");
    EXPECT_NE(speakForSlot("This announcement goes on and on for far longer than any slot of "
                           "the pager can hold, with many more words than anyone would put on "
                           "a function switch.",
                           {"en", 80, 50})
                  .problem.find("at most 4.0 s"),
              std::string::npos);
}

TEST(SpokenRecording, FileNamesSayWhatTheyAre) {
    const struct {
        int slot;
        std::string text, voice, name;
    } cases[] = {{5, "Scan mode", "de", "SW A - Scan mode (de).wav"},
                 {0, "Fire/Rescue: go?", "en", "Alert 1 - Fire_Rescue_ go_ (en).wav"},
                 {12, "Prioritätssuchlauf", "de", "SW H - Prioritätssuchlauf (de).wav"}};
    for (const auto& c : cases)
        EXPECT_EQ(spokenFileName(c.slot, c.text, c.voice), c.name);
}

} // namespace
} // namespace quorl
