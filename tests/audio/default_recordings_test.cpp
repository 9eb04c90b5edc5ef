#include "audio/custom_audio_slots.h"
#include "audio/wav_check.h"

#include <gtest/gtest.h>
#include <set>
#include <string_view>

namespace quorl {
namespace {

TEST(DefaultRecordings, EverySlotHasADistinctRecordingThatPassesTheCheck) {
    const std::filesystem::path install = QUORL_TEST_STAGE_DATA_DIR;
    // Told apart by a hash: a set of byte vectors trips GCC 12 -O3 warnings.
    std::set<std::size_t> seen;
    for (int i = 0; i < kCustomAudioSlotCount; ++i) {
        const auto r = checkWav(defaultRecording(install, i));
        ASSERT_EQ(r.status, WavCheck::Ok) << i;
        EXPECT_GT(r.playBuffer.size(), 8000u) << "at least half a second";
        seen.insert(std::hash<std::string_view>{}(std::string_view(
            reinterpret_cast<const char*>(r.playBuffer.data()), r.playBuffer.size())));
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kCustomAudioSlotCount));
}

} // namespace
} // namespace quorl
