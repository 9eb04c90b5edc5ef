// A recording as the sound input delivers it, turned into a slot's mono samples.
#include "audio/slot_fit.h"
#include "audio/sound_capture.h"

#include <cstring>
#include <gtest/gtest.h>

namespace quorl {
namespace {

// Two stereo frames, left and right: (+half, +quarter) and (-full, 0), in each
// encoding's own bytes, worked out by hand.
struct EncodingCase {
    CaptureEncoding encoding;
    std::vector<std::uint8_t> bytes;
};

std::vector<std::uint8_t> floats(const std::vector<float>& values) {
    std::vector<std::uint8_t> out(values.size() * sizeof(float));
    std::memcpy(out.data(), values.data(), out.size());
    return out;
}

TEST(RecordingTake, MixesEveryEncodingToMono16Bit) {
    const std::vector<EncodingCase> cases{
        {CaptureEncoding::UInt8, {0xC0, 0xA0, 0x00, 0x80}},
        {CaptureEncoding::Int16, {0x00, 0x40, 0x00, 0x20, 0x00, 0x80, 0x00, 0x00}},
        {CaptureEncoding::Int32, {0, 0, 0, 0x40, 0, 0, 0, 0x20, 0, 0, 0, 0x80, 0, 0, 0, 0}},
        {CaptureEncoding::Float, floats({0.5f, 0.25f, -1.0f, 0.0f})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.encoding));
        RecordingTake take({48000, 2, c.encoding}, 1.0);
        const double peak = take.add(c.bytes.data(), c.bytes.size());
        // (0.5 + 0.25) / 2 and (-1 + 0) / 2 of full scale.
        EXPECT_EQ(take.samples(), (std::vector<std::int16_t>{12288, -16384}));
        EXPECT_DOUBLE_EQ(peak, 1.0);
    }
}

TEST(RecordingTake, JoinsAFrameSplitBetweenBlocks) {
    RecordingTake take({8000, 1, CaptureEncoding::Int16}, 1.0);
    const std::uint8_t first[] = {0x34, 0x12, 0x78};
    const std::uint8_t second[] = {0x56};
    EXPECT_NEAR(take.add(first, 3), 0x1234 / 32768.0, 1e-9);
    take.add(second, 1);
    EXPECT_EQ(take.samples(), (std::vector<std::int16_t>{0x1234, 0x5678}));
}

TEST(RecordingTake, KeepsNothingPastTheLimit) {
    RecordingTake take({1000, 1, CaptureEncoding::UInt8}, 0.25);
    const std::vector<std::uint8_t> block(100, 0x90);
    for (int i = 0; i < 2; ++i) {
        take.add(block.data(), block.size());
        EXPECT_FALSE(take.full());
    }
    take.add(block.data(), block.size());
    EXPECT_TRUE(take.full());
    EXPECT_EQ(take.samples().size(), 250u);
    EXPECT_DOUBLE_EQ(take.seconds(), 0.25);
}

TEST(RecordingLimit, IsTheLongestThatFitsToTheTenthBelow) {
    // 8,000 samples at 8 kHz took 4,003 bytes: 16,364 bytes hold 4.0879 s.
    EXPECT_DOUBLE_EQ(recordingLimitSeconds(slotFit(4003, 8000, 8000)), 4.0);
    // 2,000 bytes a second: 8.182 s.
    EXPECT_DOUBLE_EQ(recordingLimitSeconds(slotFit(2000, 8000, 8000)), 8.1);
}

} // namespace
} // namespace quorl
