// What "Preview" plays: the recording compressed through the loaded libVQ4.so as a
// download compresses it, decoded by the library. Checked against the encoder's own
// reconstruction (the check WAV's samples), which never runs the decoder, and against
// the page file the download makes.
#include "audio/slot_fit.h"
#include "audio/voice_build.h"
#include "link/page_file.h"
#include "tests/voicelib/test_wav.h"
#include "voicelib/codec_types.h"
#include "voicelib/stream_encoder.h"

#include <gtest/gtest.h>

namespace quorl::vq4::test {
namespace {

namespace fs = std::filesystem;

constexpr int kAllTypes[] = {2,  3,  4,  5,  10, 11, 12, 13, 16, 17,
                             18, 20, 21, 22, 24, 25, 27, 28, 29, 30};

TEST(PromptPreview, EveryTypeIsTheEncodersOwnReconstructionSampleForSample) {
    TempDir dir("preview-types");
    const auto source = voiceLike(1200); // 0.15 s: a few frames, part of a block
    writeWav(dir.path() / "voice.wav", source);
    for (const int type : kAllTypes) {
        SCOPED_TRACE(type);
        VoiceBuild build(dir.path() / "build");
        const auto heard = build.hear((dir.path() / "voice.wav").string(), type, 3);
        ASSERT_TRUE(heard) << build.problem();
        std::vector<std::int16_t> reconstructed;
        const auto stream = encodeStream(*codecInfo(type), 3, source, reconstructed);
        EXPECT_EQ(heard->stream, stream);
        EXPECT_EQ(heard->sampleRate, 8000);
        // The bits of a last, partly filled byte are never written: at most three
        // codes (2-bit ADPCM, four to a byte) go missing.
        ASSERT_LE(heard->samples.size(), reconstructed.size());
        EXPECT_LE(reconstructed.size() - heard->samples.size(), 3u);
        reconstructed.resize(heard->samples.size());
        EXPECT_EQ(heard->samples, reconstructed);
    }
}

TEST(PromptPreview, EverySampleRateTypeComesAtItsRate) {
    TempDir dir("preview-rates");
    writeWav(dir.path() / "voice.wav", voiceLike(800));
    // The master rate of the pager's 4.096 MHz clock is 32 kHz, divided by 8, 6, 5,
    // 4, 2.5, 2 and 1.
    const int rates[] = {4000, 5333, 6400, 8000, 12800, 16000, 32000};
    for (int srType = 0; srType <= 6; ++srType) {
        SCOPED_TRACE(srType);
        for (const int type : {4, 12, 18, 29}) {
            VoiceBuild build(dir.path() / "build");
            const auto heard = build.hear((dir.path() / "voice.wav").string(), type, srType);
            ASSERT_TRUE(heard) << build.problem();
            EXPECT_EQ(heard->sampleRate, rates[srType]);
            EXPECT_EQ(heard->stream.at(0) >> 5, srType);
            // 0.1 s of source at the new rate, give or take the resampler's edges and
            // the lost last byte.
            EXPECT_NEAR(static_cast<double>(heard->samples.size()), rates[srType] / 10.0,
                        rates[srType] / 400.0 + 4);
        }
    }
}

TEST(PromptPreview, PreviewsTheVeryStreamTheDownloadSends) {
    TempDir dir("preview-download");
    writeWav(dir.path() / "voice.wav", voiceLike(3000));
    VoiceBuild download(dir.path() / "build");
    const auto sent = download.build(5, (dir.path() / "voice.wav").string());
    ASSERT_TRUE(sent);
    const std::string sentBytes = readBytes(*sent);
    VoiceBuild preview(dir.path() / "build");
    const auto heard = preview.hear((dir.path() / "voice.wav").string(), kDownloadCompressionType,
                                    kDownloadSrType);
    ASSERT_TRUE(heard);
    EXPECT_EQ(std::string(heard->stream.begin(), heard->stream.end()), sentBytes);
}

TEST(SlotFit, AgreesWithThePageFileTheDownloadMakes) {
    struct Case {
        std::size_t bytes;
        int percent;
        bool fits;
    };
    // 16,364 bytes (four blocks of 4,091) fill the slot's four sectors exactly.
    const Case cases[] = {{100, 1, true},     {4091, 25, true},   {4092, 25, true},
                          {11782, 72, true},  {16364, 100, true}, {16365, 100, false},
                          {20455, 125, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const std::vector<std::uint8_t> stream(c.bytes, 0x64);
        // The page file is padded with 0xFF past its last page; a page starts with its flags.
        const auto file = makePages(stream, 0x0101);
        std::size_t pages = 0;
        while (pages * kPageSize < file.size() && file[pages * kPageSize] != 0xFF)
            ++pages;
        const SlotFit fit = slotFit(c.bytes, 8000, 8000);
        EXPECT_EQ(fit.pages, pages);
        EXPECT_EQ(fit.percent, c.percent);
        EXPECT_EQ(fit.fits, c.fits);
        EXPECT_EQ(fit.fits, pages <= kPagesPerSlot);
    }
}

TEST(SlotFit, TheLongestRecordingIsWhatFourBlocksHold) {
    TempDir dir("fit-longest");
    writeWav(dir.path() / "voice.wav", voiceLike(24000)); // 3 s
    // Plain ADPCM and PCM put a fixed number of samples in a 4,091-byte block.
    const std::pair<int, int> blockSamples[] = {{4, 8177}, {5, 6541}, {24, 4090}};
    for (const auto& [type, samples] : blockSamples) {
        SCOPED_TRACE(type);
        VoiceBuild build(dir.path() / "build");
        const auto heard = build.hear((dir.path() / "voice.wav").string(), type, 3);
        ASSERT_TRUE(heard);
        const SlotFit fit = slotFit(heard->stream.size(), heard->samples.size(), 8000);
        EXPECT_NEAR(fit.longestSeconds, 4.0 * samples / 8000, 0.01);
        EXPECT_EQ(fit.fits, 24000 <= 4 * samples);
    }
}

} // namespace
} // namespace quorl::vq4::test
