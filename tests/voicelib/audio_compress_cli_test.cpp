// `quorl audio compress` run as a process, loading the built libVQ4.so.
#include "tests/voicelib/test_wav.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace quorl::vq4::test {
namespace {

namespace fs = std::filesystem;

std::pair<int, std::string> runQuorl(const std::string& args) {
    const std::string cmd =
        (fs::path(QUORL_TEST_BIN_DIR) / "quorl").string() + " " + args + " 2>/dev/null";
    FILE* p = ::popen(cmd.c_str(), "r");
    std::string out;
    std::array<char, 256> buf{};
    while (p && std::fgets(buf.data(), buf.size(), p))
        out += buf.data();
    const int status = p ? ::pclose(p) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(AudioCompressCommand, CompressesIntoTheProjectFolderAndReportsFigures) {
    TempDir dir("cli");
    writeWav(dir.path() / "alert.wav", voiceLike(16000, 16000), WavFormat{16000});
    const auto [code, out] = runQuorl("audio compress " + (dir.path() / "alert.wav").string() +
                                      " -o " + (dir.path() / "proj").string());
    ASSERT_EQ(code, 0) << out;
    const fs::path stream = dir.path() / "proj" / "BinFiles" / "alert_8000_ADPCM14-4-1.bin";
    EXPECT_NE(out.find("stream: " + stream.string() + "\n"), std::string::npos) << out;
    EXPECT_NE(out.find("size: " + std::to_string(fs::file_size(stream)) + " bytes\n"),
              std::string::npos);
    EXPECT_NE(out.find("codec: ADPCM14-4-1\n"), std::string::npos);
    EXPECT_NE(out.find("bit rate: 4.0"), std::string::npos) << out;
    EXPECT_NE(out.find("segmental SNR: "), std::string::npos);

    const auto enhanced = runQuorl("audio compress " + (dir.path() / "alert.wav").string() +
                                   " --type 12 --srtype 5 -o " + (dir.path() / "proj").string());
    EXPECT_EQ(enhanced.first, 0);
    EXPECT_NE(enhanced.second.find("alert_16000_ADPCM14-4-E2.bin"), std::string::npos);

    writeWav(dir.path() / "stereo.wav", voiceLike(1000), WavFormat{8000, 2});
    EXPECT_EQ(runQuorl("audio compress " + (dir.path() / "stereo.wav").string() + " -o " +
                       (dir.path() / "proj").string())
                  .first,
              1);
}

} // namespace
} // namespace quorl::vq4::test
