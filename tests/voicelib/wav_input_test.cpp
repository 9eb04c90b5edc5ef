#include "tests/voicelib/hook_recorder.h"
#include "tests/voicelib/test_wav.h"
#include "voicelib/file_age.h"
#include "voicelib/project_state.h"
#include "voicelib/resampler.h"
#include "voicelib/voice_compressor.h"
#include "voicelib/vq4.h"
#include "voicelib/vq4_texts.h"
#include "voicelib/wav_reader.h"

#include <gtest/gtest.h>
#include <sndfile.h>

namespace quorl::vq4::test {
namespace {

namespace fs = std::filesystem;

class WavInput : public ::testing::Test {
protected:
    fs::path file(const std::string& name) const { return dir.path() / name; }
    bool readable(const fs::path& p) {
        OpenedWav wav;
        return openWavForCompression(p.string(), wav);
    }
    TempDir dir{"wav"};
};

TEST_F(WavInput, SameRateIsCopiedByteForByte) {
    std::string list = "LIST";
    put32(list, 5);
    list += "abcde";
    list += '\0'; // pad byte of the odd-sized chunk
    writeWav(file("src.wav"), voiceLike(4000), WavFormat{8000, 1, 16, list});
    ASSERT_TRUE(resampleWav(file("src.wav").string(), file("copy.wav").string(), 8000));
    EXPECT_EQ(readBytes(file("copy.wav")), readBytes(file("src.wav")));
}

TEST_F(WavInput, HalfTheRateGivesAboutHalfTheFrames) {
    writeWav(file("src.wav"), voiceLike(16000, 16000), WavFormat{16000});
    SampleMarkers markers{1000, 9000};
    ASSERT_TRUE(resampleWav(file("src.wav").string(), file("copy.wav").string(), 8000, &markers));
    SF_INFO info{};
    SNDFILE* f = sf_open(file("copy.wav").c_str(), SFM_READ, &info);
    ASSERT_NE(f, nullptr);
    sf_close(f);
    EXPECT_EQ(info.samplerate, 8000);
    EXPECT_EQ(info.channels, 1);
    EXPECT_NEAR(static_cast<double>(info.frames), 8000.0, 8.0);
    EXPECT_DOUBLE_EQ(markers.begin, 500);
    EXPECT_DOUBLE_EQ(markers.end, 4500);
    EXPECT_TRUE(readable(file("copy.wav")));
}

TEST_F(WavInput, ReaderWalksChunksAndNamesEachRefusal) {
    std::string list = "LIST";
    put32(list, 3);
    list += "xyz";
    list += '\0';
    writeWav(file("list.wav"), voiceLike(100), WavFormat{8000, 1, 16, list});
    EXPECT_TRUE(readable(file("list.wav")));

    const std::pair<std::string, std::string> cases[] = {
        {wavBytes(voiceLike(100), WavFormat{8000, 2}), texts::kOnlyMono},
        {wavBytes(voiceLike(100), WavFormat{8000, 0}), texts::kOnlyMono},
        {wavBytes(voiceLike(100), WavFormat{8000, 1, 8}), texts::kOnly16Bit},
        {"RIFX\0\0\0\0WAVEfmt ", texts::kNotAWave},
        {wavBytes(voiceLike(10)).substr(0, 30), texts::kWavOperationError},
        {wavBytes(voiceLike(10)).substr(0, 38), texts::kNoDataSection},
    };
    for (const auto& [bytes, message] : cases) {
        writeBytes(file("bad.wav"), bytes);
        HookRecorder hooks;
        EXPECT_FALSE(readable(file("bad.wav"))) << message;
        EXPECT_TRUE(hooks.hasError("Error!", message)) << message;
    }
}

TEST_F(WavInput, AbsurdSizesNeitherCrashNorHang) {
    std::string huge = "JUNK";
    put32(huge, 0xFFFFFFFFu);
    writeWav(file("junk.wav"), voiceLike(100), WavFormat{8000, 1, 16, huge});
    EXPECT_FALSE(readable(file("junk.wav")));

    // A data chunk that promises far more than the file holds: what is there is used.
    ProjectConfig c{};
    std::snprintf(c.projectDir, sizeof c.projectDir, "%s", dir.path().c_str());
    c.clockConfigurationByte = 0x24;
    c.clockInputFrequency = 4096000;
    openProject(c);
    const fs::path liar = file("liar.wav");
    writeWav(liar, voiceLike(500), WavFormat{8000, 1, 16, "", 0xFFFFFFF0u});
    const auto r = compressVoice(liar.string(), 3, 4);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.samples, 500u);
    const auto check = readBytes(dir.path() / "WavFiles" / "liar_8000_ADPCM14-4-1.wav");
    EXPECT_EQ(check.size(), 44u + 1000);
    EXPECT_EQ(static_cast<unsigned char>(check[40]) | static_cast<unsigned char>(check[41]) << 8,
              1000);
    // Zero rate and zero channels: libsndfile refuses them, nothing is written.
    for (const WavFormat& format : {WavFormat{0}, WavFormat{8000, 0}}) {
        writeWav(file("zero.wav"), voiceLike(100), format);
        HookRecorder hooks;
        const auto z = compressVoice(file("zero.wav").string(), 3, 4);
        EXPECT_FALSE(z.ok);
        EXPECT_EQ(z.size, 0);
        EXPECT_FALSE(fs::exists(dir.path() / "BinFiles" / "zero_8000_ADPCM14-4-1.bin"));
    }
}

TEST_F(WavInput, StereoSourceIsRefusedAfterResampling) {
    ProjectConfig c{};
    std::snprintf(c.projectDir, sizeof c.projectDir, "%s", dir.path().c_str());
    c.clockConfigurationByte = 0x24;
    c.clockInputFrequency = 4096000;
    openProject(c);
    std::vector<std::int16_t> stereo = voiceLike(8000, 16000);
    writeWav(file("st.wav"), stereo, WavFormat{16000, 2});
    HookRecorder hooks;
    const auto r = compressVoice(file("st.wav").string(), 3, 4);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(hooks.hasError("Error!", "Can only accept mono files"));
    EXPECT_FALSE(fs::exists(dir.path() / "BinFiles" / "st_8000_ADPCM14-4-1.bin"));
}

TEST_F(WavInput, FileAgeComparison) {
    writeBytes(file("old"), "a");
    writeBytes(file("new"), "b");
    fs::last_write_time(file("new"), fs::last_write_time(file("old")) + std::chrono::seconds(1));
    EXPECT_GT(compareFileAge(file("new").string(), file("old").string()), 0);
    EXPECT_LT(compareFileAge(file("old").string(), file("new").string()), 0);
    EXPECT_EQ(compareFileAge(file("old").string(), file("old").string()), 0);
    EXPECT_EQ(compareFileAge(file("none").string(), file("old").string()), -1);
    EXPECT_EQ(compareFileAge(file("old").string(), file("none").string()), -2);
}

} // namespace
} // namespace quorl::vq4::test
