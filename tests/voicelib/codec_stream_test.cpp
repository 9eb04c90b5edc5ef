#include "tests/voicelib/hook_recorder.h"
#include "tests/voicelib/test_wav.h"
#include "voicelib/codec_types.h"
#include "voicelib/compression_stats.h"
#include "voicelib/enhanced_frame.h"
#include "voicelib/mulaw_codec.h"
#include "voicelib/project_state.h"
#include "voicelib/stream_decoder.h"
#include "voicelib/stream_encoder.h"
#include "voicelib/trial_group.h"
#include "voicelib/voice_compressor.h"
#include "voicelib/vq4.h"
#include "voicelib/vq4_texts.h"

#include <gtest/gtest.h>

namespace quorl::vq4::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> encode(int type, const std::vector<std::int16_t>& in,
                                 std::vector<std::int16_t>& decoded, int srType = 3) {
    return encodeStream(*codecInfo(type), srType, in, decoded);
}

double snrOf(const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b) {
    CompressionStats s(8000);
    s.add(a.data(), b.data(), std::min(a.size(), b.size()));
    return s.snrDb();
}

TEST(AdpcmStream, FourBitAtSrType3RepeatsItsConfigurationByteEverySector) {
    const auto in = voiceLike(8177 * 3 + 500);
    std::vector<std::int16_t> decoded;
    const auto s = encode(4, in, decoded);
    ASSERT_GT(s.size(), 3u * 4091);
    for (std::size_t at : {0u, 4091u, 8182u, 12273u})
        EXPECT_EQ(s[at], 0x64) << at;
    // Every block but the last fills 4091 bytes exactly.
    EXPECT_EQ(s.size(), 3u * 4091 + 3 + (500 - 1) * 4 / 8);
    // Each block starts again from its first sample at 10 bits.
    EXPECT_EQ(decoded[8177], static_cast<std::int16_t>(in[8177] & 0xFFC0));
}

TEST(AdpcmStream, ThreeAndFiveBitBlocksCompleteTheirLastByte) {
    auto in = voiceLike(10902 + 50);
    in[10902] = 0x4000; // bit 14 set in the next block's first sample
    std::vector<std::int16_t> decoded;
    auto s = encode(3, in, decoded);
    EXPECT_EQ(s[4090] & 1, 1);
    EXPECT_EQ(s[4091], 0x63);
    in[10902] = 0x3FFF;
    s = encode(3, in, decoded);
    EXPECT_EQ(s[4090] & 1, 0);

    const auto in5 = voiceLike(6541 + 50);
    s = encode(5, in5, decoded);
    EXPECT_EQ(s[4091], 0x65);
    // The free low nibble repeats the next block's header byte A.
    EXPECT_EQ(s[4090] & 0x0F, s[4092] & 0x0F);
    EXPECT_NE(s[4092] >> 2, 0); // a real step index, so the check means something
}

TEST(AdpcmStream, SilenceKeepsTheStepIndexAtZero) {
    const std::vector<std::int16_t> in(8177 + 20, 0);
    std::vector<std::int16_t> decoded;
    const auto s = encode(4, in, decoded);
    EXPECT_EQ(s[1], 0x00);
    EXPECT_EQ(s[2], 0x00);
    for (std::size_t i = 3; i < 4091; ++i)
        ASSERT_EQ(s[i], 0x08) << i; // codes 0, then the sign bit alone
    EXPECT_EQ(s[4092], 0x00);       // step index still 0 at the next block
    for (std::size_t i = 1; i < 100; ++i)
        ASSERT_EQ(decoded[i], i % 2 ? 16 : 0) << i; // step[0] >> 3, then 0, in 16-bit units
}

TEST(AdpcmStream, PartlyFilledLastByteIsNotWritten) {
    const auto in = voiceLike(4); // 3 codes of 3 bits after the header: 9 bits
    std::vector<std::int16_t> decoded;
    EXPECT_EQ(encode(3, in, decoded).size(), 3u + 1);
    EXPECT_EQ(encode(3, {}, decoded).size(), 1u); // an empty prompt keeps its configuration byte
}

TEST(MuLawStream, DifferentialNeverAboveItsCeiling) {
    std::vector<std::int16_t> in;
    for (int i = 0; i < 20000; ++i)
        in.push_back(static_cast<std::int16_t>((i / 7) % 2 ? 32767 : -32768));
    for (int type : {20, 21, 22}) {
        std::vector<std::int16_t> decoded;
        const auto s = encode(type, in, decoded);
        for (auto v : decoded)
            ASSERT_LE(v, 32764);
        EXPECT_EQ(*std::max_element(decoded.begin(), decoded.end()), 32764) << type;
    }
    for (int x : {-32768, -1, 0, 3, 4, 1000, 32767}) {
        // µ-law decoding is exact at the segment's values.
        EXPECT_NEAR(muLawDecode(muLawEncode(x, 8), 8), x, std::abs(x) / 16 + 8) << x;
    }
}

TEST(MuLawStream, SixBitBlocksFillTheirLastByteFromItself) {
    const auto in = voiceLike(5453 + 30);
    std::vector<std::int16_t> decoded;
    const auto s = encode(16, in, decoded);
    EXPECT_EQ(s[4091], 0x70);
    EXPECT_EQ(s[4090] & 3, (s[4090] >> 2) & 3);
}

struct CodecFloor {
    int type;
    double minSnrDb;
};

class CodecRoundTrip : public ::testing::TestWithParam<CodecFloor> {};

TEST_P(CodecRoundTrip, StreamDecodesToTheCheckSamplesAboveItsFloor) {
    const auto [type, floor] = GetParam();
    const auto in = voiceLike(20000);
    std::vector<std::int16_t> decoded;
    const auto s = encode(type, in, decoded);
    const auto played = decodeStream(s.data(), s.size());
    ASSERT_TRUE(played);
    // Only a partly filled last byte may be missing.
    ASSERT_LE(played->size(), decoded.size());
    ASSERT_GE(played->size() + 2, decoded.size());
    EXPECT_TRUE(std::equal(played->begin(), played->end(), decoded.begin()));
    EXPECT_GE(snrOf(in, decoded), floor) << "type " << type;
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, CodecRoundTrip,
    ::testing::Values(CodecFloor{2, 15}, CodecFloor{3, 21}, CodecFloor{4, 27}, CodecFloor{5, 31},
                      CodecFloor{10, 19}, CodecFloor{11, 25}, CodecFloor{12, 31},
                      CodecFloor{13, 36}, CodecFloor{16, 19}, CodecFloor{17, 26},
                      CodecFloor{18, 34}, CodecFloor{20, 27}, CodecFloor{21, 35},
                      CodecFloor{22, 42}, CodecFloor{24, 24}, CodecFloor{25, 36},
                      CodecFloor{27, 48}, CodecFloor{28, 27}, CodecFloor{29, 33},
                      CodecFloor{30, 30}),
    [](const auto& p) { return "Type" + std::to_string(p.param.type); });

TEST(EnhancedAdpcm, SearchBeatsThePlainCoderAtTheSameWidth) {
    const auto in = voiceLike(16000);
    std::vector<std::int16_t> plain, enhanced;
    encode(4, in, plain);
    const auto s = encode(12, in, enhanced);
    EXPECT_GT(snrOf(in, enhanced), snrOf(in, plain));
    EXPECT_EQ(s[0], 0x6C);
    // Frames: two header bytes and 128 four-bit codes.
    EXPECT_EQ(s.size(), 1 + 125 * (2 + 64));
}

// The search as plainly described: every combination from the frame's start,
// the strictly smallest squared error wins. The library's search prunes and
// reorders; it must still pick the same.
EnhancedFrame referenceSearch(const AdpcmState& start, int width, const int* v, int count) {
    EnhancedFrame best;
    best.count = count;
    best.ub = frameUpperBound(v, count, start.x1);
    std::uint64_t bestError = UINT64_MAX;
    for (int k1 = 0; k1 < 8; ++k1)
        for (int k2 = 0; k2 < 8; ++k2)
            for (int sub = 0; sub < 4; ++sub) {
                AdpcmState s = start;
                s.width = width;
                s.k1 = k1;
                s.k2 = k2;
                s.subTable = sub;
                s.ub = best.ub;
                std::uint64_t error = 0;
                EnhancedFrame f;
                for (int i = 0; i < count; ++i) {
                    int r = 0;
                    f.codes[static_cast<std::size_t>(i)] = adpcmEncode(s, v[i], r);
                    error += static_cast<std::uint64_t>((v[i] - r) * (v[i] - r));
                }
                if (error < bestError) {
                    bestError = error;
                    best.k1 = k1;
                    best.k2 = k2;
                    best.subTable = sub;
                    best.codes = f.codes;
                    best.endState = s;
                }
            }
    return best;
}

class EnhancedSearch : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { setVectorTrialsEnabled(GetParam()); }
    void TearDown() override { setVectorTrialsEnabled(true); }
};

TEST_P(EnhancedSearch, PrunedSearchPicksWhatTheFullSearchPicks) {
    const auto in = voiceLike(128 * 40, 8000, 12000, 3);
    for (int width = 2; width <= 5; ++width) {
        AdpcmState state;
        state.width = width;
        for (std::size_t frame = 0; frame < 40; ++frame) {
            int v[kFrameSamples];
            for (std::size_t i = 0; i < kFrameSamples; ++i)
                v[i] = in[frame * kFrameSamples + i] >> 2;
            EnhancedFrame fast;
            searchEnhancedFrame(state, width, v, kFrameSamples, fast);
            const EnhancedFrame ref = referenceSearch(state, width, v, kFrameSamples);
            ASSERT_EQ(fast.k1, ref.k1) << width << " " << frame;
            ASSERT_EQ(fast.k2, ref.k2);
            ASSERT_EQ(fast.subTable, ref.subTable);
            ASSERT_EQ(fast.codes, ref.codes);
            ASSERT_EQ(fast.endState.index, ref.endState.index);
            ASSERT_EQ(fast.endState.x1, ref.endState.x1);
            state = fast.endState;
        }
    }
}

// With vector registers where the processor has them, and without.
INSTANTIATE_TEST_SUITE_P(VectorAndScalar, EnhancedSearch, ::testing::Bool(),
                         [](const auto& p) { return std::string(p.param ? "Vector" : "Scalar"); });

TEST(EnhancedAdpcm, UpperBoundFollowsTheLargestJump) {
    const int rising[] = {0, 100, 150};
    EXPECT_EQ(frameUpperBound(rising, 3, 0), 6); // 2 x 48 < 100, 2 x 52 is not
    const int flat[] = {10, 40, 70};
    EXPECT_EQ(frameUpperBound(flat, 3, 10), 1); // 30 is below 2 x step[0]
    const int jump[] = {-8192, 8191};
    EXPECT_EQ(frameUpperBound(jump, 2, 8191), 63);
}

TEST(MuLawStream, CodesOfKnownValues) {
    EXPECT_EQ(muLawEncode(1000, 8), 0x16u); // segment 3, mantissa 1
    EXPECT_EQ(muLawDecode(0x16, 8), 988);
    EXPECT_EQ(muLawEncode(-1000, 8), 0x17u);
    EXPECT_EQ(muLawEncode(1000, 6), 0x06u); // the mantissa's top two bits are 0
    EXPECT_EQ(muLawDecode(0x06, 6), 924);
    EXPECT_EQ(muLawEncode(32767, 7), 0x7Eu);
    EXPECT_EQ(pcmEncode(-32768, 12), 0x800u);
    EXPECT_EQ(pcmDecode(0x800, 12), -32768);
}

TEST(VbrStream, HigherQualitySpendsMoreBits) {
    const auto in = voiceLike(16000);
    std::vector<std::int16_t> low, high;
    const auto a = encode(28, in, low);
    const auto b = encode(30, in, high);
    EXPECT_LT(a.size(), b.size());
    EXPECT_LT(snrOf(in, low), snrOf(in, high));
    EXPECT_EQ(a[0], 0x7C);
}

class CompressVoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ProjectConfig c{};
        std::snprintf(c.projectDir, sizeof c.projectDir, "%s", dir.path().c_str());
        c.clockConfigurationByte = 0x24;
        c.clockInputFrequency = 4096000;
        openProject(c);
        source = dir.path() / "hello world.wav";
        writeWav(source, voiceLike(9000));
    }
    TempDir dir{"compress"};
    fs::path source;
};

TEST_F(CompressVoiceTest, WritesStreamCheckWavAndFigures) {
    HookRecorder hooks;
    const auto r = compressVoice(source.string(), 3, 4);
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.upToDate);
    EXPECT_EQ(r.streamPath,
              (dir.path() / "BinFiles" / "hello world_8000_ADPCM14-4-1.bin").string());
    EXPECT_EQ(static_cast<std::uintmax_t>(r.size), fs::file_size(r.streamPath));
    EXPECT_NEAR(r.bitRate, 4.0, 0.02);
    EXPECT_GT(r.snrDb, 16);
    EXPECT_GT(r.segmentalSnrDb, 10);

    const auto check = readBytes(dir.path() / "WavFiles" / "hello world_8000_ADPCM14-4-1.wav");
    const auto bin = readBytes(r.streamPath);
    const auto played = decodeStream(reinterpret_cast<const std::uint8_t*>(bin.data()), bin.size());
    ASSERT_TRUE(played);
    EXPECT_EQ(samplesOf(check), *played); // 9000 samples: no code lost at the end
    EXPECT_EQ(check.substr(0, 4), "RIFF");
    EXPECT_EQ(check.size(), 44u + 18000);

    EXPECT_EQ(hooks.events.front().text, texts::kCompressActive);
    EXPECT_EQ(hooks.events[1].text, "Compressing hello world: ...0%");
    EXPECT_EQ(hooks.events[hooks.events.size() - 2].text, "Compressing hello world: ...100%");
    EXPECT_EQ(hooks.events.back().text, texts::kCompressIdle);
}

TEST_F(CompressVoiceTest, UpToDateStreamIsKeptUntilTheSourceChanges) {
    const auto first = compressVoice(source.string(), 3, 4);
    ASSERT_TRUE(first.ok);
    const auto stamp = fs::last_write_time(first.streamPath);
    const auto again = compressVoice(source.string(), 3, 4);
    EXPECT_TRUE(again.upToDate);
    EXPECT_EQ(again.size, first.size);
    EXPECT_EQ(fs::last_write_time(first.streamPath), stamp);

    // A new recording under the same name is compressed afresh, not from the old copy.
    writeWav(source, std::vector<std::int16_t>(3000, 0));
    fs::last_write_time(source, stamp + std::chrono::seconds(1)); // newer, however coarse the clock
    const auto fresh = compressVoice(source.string(), 3, 4);
    EXPECT_FALSE(fresh.upToDate);
    EXPECT_EQ(fresh.samples, 3000u);
}

TEST_F(CompressVoiceTest, DefaultsAndRefusals) {
    HookRecorder hooks;
    const auto r = compressVoice(source.string(), -1, -1);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.srType, 3);
    EXPECT_EQ(r.codecTag, "ADPCM14-4-E2");

    const auto bad = compressVoice(source.string(), 3, 26);
    EXPECT_FALSE(bad.ok);
    EXPECT_TRUE(hooks.hasError("Error!", "Unknown Compression Type"));

    writeWav(dir.path() / "fast.wav", voiceLike(2000, 44100), WavFormat{44100});
    const auto nearest = compressVoice((dir.path() / "fast.wav").string(), -2, 24);
    EXPECT_EQ(nearest.srType, 6);
    EXPECT_EQ(nearest.sampleRate, 32000);
}

} // namespace
} // namespace quorl::vq4::test
