#include "audio/custom_audio_slots.h"
#include "audio/wav_check.h"

#include <gtest/gtest.h>
#include <set>

namespace quorl {
namespace {

TEST(DefaultRecordings, EverySlotHasADistinctRecordingThatPassesTheCheck) {
    const std::filesystem::path install = QUORL_TEST_STAGE_DATA_DIR;
    std::set<std::vector<std::uint8_t>> seen;
    for (int i = 0; i < kCustomAudioSlotCount; ++i) {
        const auto r = checkWav(defaultRecording(install, i));
        ASSERT_EQ(r.status, WavCheck::Ok) << i;
        EXPECT_GT(r.playBuffer.size(), 8000u) << "at least half a second";
        seen.insert(r.playBuffer);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kCustomAudioSlotCount));
}

} // namespace
} // namespace quorl
