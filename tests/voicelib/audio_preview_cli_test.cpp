// `quorl audio preview` and `quorl audio check --fit` run as processes, against the
// stream `quorl audio compress` writes and the library's decoder read here directly.
#include "tests/support/program_run.h"
#include "tests/voicelib/test_wav.h"
#include "voicelib/stream_decoder.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace quorl::vq4::test {
namespace {

namespace fs = std::filesystem;

// The built `quorl` with `args` split at spaces (the test's paths have none); its exit
// code and everything it wrote.
std::pair<int, std::string> run(const std::string& args) {
    std::vector<std::string> argv{(fs::path(QUORL_TEST_BIN_DIR) / "quorl").string()};
    std::istringstream words(args);
    for (std::string w; words >> w;)
        argv.push_back(w);
    const auto result = ::quorl::test::runProgram(std::move(argv));
    return {result.exitCode, result.out + result.err};
}

std::string header(std::uint32_t rate, std::uint32_t dataBytes) {
    std::string h = "RIFF";
    put32(h, 36 + dataBytes);
    h += "WAVEfmt ";
    put32(h, 16);
    put16(h, 1);
    put16(h, 1);
    put32(h, rate);
    put32(h, rate * 2);
    put16(h, 2);
    put16(h, 16);
    h += "data";
    put32(h, dataBytes);
    return h;
}

TEST(AudioPreviewCommand, WritesTheDecodeOfTheStreamCompressWrites) {
    TempDir dir("preview-cli");
    const std::string wav = (dir.path() / "alert.wav").string();
    writeWav(wav, voiceLike(2400));
    struct Case {
        int type, srType;
        std::uint32_t rate;
        const char* stream;
    };
    const Case cases[] = {{4, 3, 8000, "alert_8000_ADPCM14-4-1.bin"},
                          {3, 3, 8000, "alert_8000_ADPCM14-3-1.bin"},
                          {12, 5, 16000, "alert_16000_ADPCM14-4-E2.bin"},
                          {21, 3, 8000, "alert_8000_DuLaw7.bin"},
                          {30, 3, 8000, "alert_8000_MSVBR14_5-0.50mV-46dB.bin"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        const std::string codec =
            " --type " + std::to_string(c.type) + " --srtype " + std::to_string(c.srType);
        const auto compressed =
            run("audio compress " + wav + codec + " -o " + (dir.path() / "proj").string());
        ASSERT_EQ(compressed.first, 0) << compressed.second;
        const std::string stream = readBytes(dir.path() / "proj" / "BinFiles" / c.stream);
        ASSERT_FALSE(stream.empty());
        const auto expected =
            decodeStream(reinterpret_cast<const std::uint8_t*>(stream.data()), stream.size());
        ASSERT_TRUE(expected);

        const fs::path heard = dir.path() / "heard.wav";
        const auto previewed = run("audio preview " + wav + codec + " -o " + heard.string());
        ASSERT_EQ(previewed.first, 0) << previewed.second;
        const std::string bytes = readBytes(heard);
        const auto dataBytes = static_cast<std::uint32_t>(expected->size() * 2);
        EXPECT_EQ(bytes.substr(0, 44), header(c.rate, dataBytes));
        EXPECT_EQ(samplesOf(bytes), *expected);
    }
}

TEST(AudioPreviewCommand, WantsAFileOrThePlayer) {
    TempDir dir("preview-usage");
    writeWav(dir.path() / "a.wav", voiceLike(800));
    EXPECT_EQ(run("audio preview " + (dir.path() / "a.wav").string()).first, 2);
    const auto missing = run("audio preview " + (dir.path() / "none.wav").string() + " -o " +
                             (dir.path() / "h.wav").string());
    EXPECT_EQ(missing.first, 1);
    EXPECT_FALSE(fs::exists(dir.path() / "h.wav"));
}

TEST(AudioFitCheck, PrintsTheShareOfTheSlotAndFailsWhenTooLong) {
    TempDir dir("fit-cli");
    const std::string wav = (dir.path() / "long.wav").string();
    writeWav(wav, voiceLike(28000)); // 3.5 s: fits at 4-bit ADPCM, not at 5-bit
    const auto compressed = run("audio compress " + wav + " -o " + (dir.path() / "p").string());
    ASSERT_EQ(compressed.first, 0);
    const auto size = fs::file_size(dir.path() / "p" / "BinFiles" / "long_8000_ADPCM14-4-1.bin");
    // Four blocks of 4,091 bytes fill a slot.
    const auto percent = (size * 100 + 16364 / 2) / 16364;
    const auto fits = run("audio check " + wav + " --fit");
    EXPECT_EQ(fits.first, 0) << fits.second;
    EXPECT_NE(fits.second.find("stream: " + std::to_string(size) +
                               " bytes, ADPCM14-4-1, 4 pages "
                               "of 4\nslot: " +
                               std::to_string(percent) + " %, 3.5 s of at most 4.1 s\n"),
              std::string::npos)
        << fits.second;
    const auto tooLong = run("audio check " + wav + " --fit --type 5");
    EXPECT_EQ(tooLong.first, 1);
    EXPECT_NE(tooLong.second.find("5 pages of 4"), std::string::npos) << tooLong.second;
    EXPECT_NE(tooLong.second.find("too long for a custom audio slot (3.5 s; at most 3.3 s fit"),
              std::string::npos)
        << tooLong.second;
}

} // namespace
} // namespace quorl::vq4::test
