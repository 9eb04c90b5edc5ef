#include "link/command_frames.h"
#include "link/hex_frame.h"
#include "link/sim/command_frame_scan.h"

#include <gtest/gtest.h>
#include <numeric>

namespace quorl {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(HexText, BlanksDroppedPairsReadHighNibbleFirst) {
    EXPECT_EQ(hexTextToBytes("02 71 70 E1 03"), (Bytes{0x02, 0x71, 0x70, 0xE1, 0x03}));
    EXPECT_EQ(hexTextToBytes("0  2717 0e103"), (Bytes{0x02, 0x71, 0x70, 0xE1, 0x03}));
    EXPECT_EQ(hexTextToBytes("ab Cd"), (Bytes{0xAB, 0xCD}));
}

TEST(HexText, NonHexCountsAsZeroAndTrailingDigitIsHighNibble) {
    EXPECT_EQ(hexTextToBytes("G1 zZ 1"), (Bytes{0x01, 0x00, 0x10}));
    EXPECT_EQ(hexTextToBytes("   "), Bytes{});
}

TEST(HexText, PiecesOfEightThenTheRest) {
    EXPECT_EQ(hexFramePieces(5), (std::vector<std::size_t>{5}));
    EXPECT_EQ(hexFramePieces(16), (std::vector<std::size_t>{8, 8}));
    std::vector<std::size_t> block(9, 8);
    block.push_back(1);
    EXPECT_EQ(hexFramePieces(73), block);
    EXPECT_TRUE(hexFramePieces(0).empty());
}

TEST(CommandFrames, FixedTextsCarryTheirChecksums) {
    for (auto text : {frame_text::kStartWrite, frame_text::kEndWrite, frame_text::kStartRead,
                      frame_text::kEndRead, frame_text::kFirmwareVersion,
                      frame_text::kEndProgramming, frame_text::kModelNumber, frame_text::kPresence,
                      frame_text::kSupportedVersion, frame_text::kStatus}) {
        const auto b = hexTextToBytes(text);
        ASSERT_EQ(b.size(), 5u) << text;
        EXPECT_EQ(b[3], static_cast<std::uint8_t>(b[1] + b[2])) << text;
        EXPECT_EQ(sim::scanCommandFrame(b).result, sim::ScanResult::Valid) << text;
    }
}

TEST(CommandFrames, BlockFramesMatchTheDocumentedSamples) {
    EXPECT_EQ(readBlockFrame(0x0100), "02 71 02 01 00 00 40 B4 03");
    std::array<std::uint8_t, kBlockSize> data{};
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const auto frame = hexTextToBytes(writeBlockFrame(0x3D40, data));
    ASSERT_EQ(frame.size(), 73u);
    const unsigned sum = std::accumulate(data.begin(), data.end(), 0u);
    EXPECT_EQ(frame[71], static_cast<std::uint8_t>(0xB2 + 0x3D + 0x40 + sum));
    EXPECT_EQ(frame[72], 0x03);
    EXPECT_EQ(sim::scanCommandFrame(frame).result, sim::ScanResult::Valid);
}

TEST(CommandFrames, CountedCommandsFollowTheirChecksumRules) {
    auto checksumOf = [](const std::string& text) {
        const auto b = hexTextToBytes(text);
        EXPECT_EQ(sim::scanCommandFrame(b).result, sim::ScanResult::Valid) << text;
        return b[b.size() - 2];
    };
    EXPECT_EQ(playCustomAudioFrame(7), "02 71 B0 00 01 07 29 03");
    EXPECT_EQ(checksumOf(playCustomAudioFrame(12)), 0x22 + 12);
    EXPECT_EQ(checksumOf(playAlertToneFrame(9)), 0x27 + 9);
    EXPECT_EQ(checksumOf(playPreviewFrame({1, 2, 3, 4, 0xF0})),
              static_cast<std::uint8_t>(0x2C + 1 + 2 + 3 + 4 + 0xF0));
    EXPECT_EQ(eraseVoiceFrame(0x0139), "02 71 A6 00 04 01 39 01 3C 92 03");
    EXPECT_EQ(checksumOf(eraseVoiceFrame(0x0105)),
              static_cast<std::uint8_t>(0x1E + 2 * (0x01 + 0x05)));

    std::array<std::uint8_t, kVoicePartSize> part{};
    part.fill(0x5A);
    const auto voice = hexTextToBytes(writeVoiceFrame(0x0101, 3, part));
    ASSERT_EQ(voice.size(), 522u);
    EXPECT_EQ((Bytes{voice[3], voice[4]}), (Bytes{0x02, 0x03}));
    EXPECT_EQ(voice[520], static_cast<std::uint8_t>(0x17 + 0x01 + 0x01 + 3 + 512 * 0x5A));
}

} // namespace
} // namespace quorl
