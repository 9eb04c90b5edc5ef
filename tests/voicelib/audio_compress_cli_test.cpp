// `quorl audio compress` run as a process, loading the built libVQ4.so.
#include "tests/voicelib/quorl_process.h"
#include "tests/voicelib/test_wav.h"

#include <array>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace quorl::vq4::test {
namespace {

namespace fs = std::filesystem;

std::pair<int, std::string> runQuorl(const std::string& args) {
    return runQuorlShell(args, "2>/dev/null");
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

std::pair<int, std::string> runQuorlErr(const std::string& args) {
    return runQuorlShell(args, "2>&1 >/dev/null");
}

TEST(AudioCompressCommand, AnOlderRecordingOfTheSameNameIsCompressedItself) {
    TempDir dir("cli-stale");
    fs::create_directories(dir.path() / "first");
    fs::create_directories(dir.path() / "second");
    writeWav(dir.path() / "first" / "beep.wav", voiceLike(16000));
    writeWav(dir.path() / "second" / "beep.wav", voiceLike(4000));
    // The second recording is older than the copy made from the first.
    const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    ::utimensat(AT_FDCWD, (dir.path() / "second" / "beep.wav").c_str(), old, 0);
    const std::string project = " -o " + (dir.path() / "proj").string();
    const auto first =
        runQuorl("audio compress " + (dir.path() / "first" / "beep.wav").string() + project);
    ASSERT_EQ(first.first, 0);
    const auto second =
        runQuorl("audio compress " + (dir.path() / "second" / "beep.wav").string() + project);
    ASSERT_EQ(second.first, 0);
    // 4-bit ADPCM: half a byte a sample, a quarter of the first one's samples.
    const fs::path stream = dir.path() / "proj" / "BinFiles" / "beep_8000_ADPCM14-4-1.bin";
    EXPECT_LT(fs::file_size(stream), 2100u);
    EXPECT_NE(second.second.find("size: " + std::to_string(fs::file_size(stream)) + " bytes"),
              std::string::npos)
        << second.second;
}

TEST(AudioCompressCommand, SaysWhatFailedAndLeavesNoEmptyFolders) {
    TempDir dir("cli-fail");
    const std::string wav = (dir.path() / "a.wav").string();
    writeWav(wav, voiceLike(1000));
    // Options out of range are usage errors, found before anything is done.
    for (const char* option : {"--type 7", "--type x", "--srtype 9", "--srtype -3"}) {
        const auto r = runQuorlErr("audio compress " + wav + " " + option + " -o " +
                                   (dir.path() / "out").string());
        EXPECT_EQ(r.first, 2) << option;
        EXPECT_FALSE(fs::exists(dir.path() / "out")) << option;
    }
    auto r = runQuorlErr("audio compress " + (dir.path() / "none.wav").string() + " -o " +
                         (dir.path() / "out").string());
    EXPECT_EQ(r.first, 1);
    EXPECT_NE(r.second.find("none.wav: no such file"), std::string::npos) << r.second;
    EXPECT_FALSE(fs::exists(dir.path() / "out"));

    writeBytes(dir.path() / "file", "x");
    r = runQuorlErr("audio compress " + wav + " -o " + (dir.path() / "file").string());
    EXPECT_EQ(r.first, 1);
    EXPECT_NE(r.second.find("output folder"), std::string::npos) << r.second;

    // A WAV without a data chunk: the library refuses it, and the folders made for
    // the run go again.
    std::string noData = wavBytes(voiceLike(100));
    noData.resize(noData.find("data"));
    writeBytes(dir.path() / "nodata.wav", noData);
    r = runQuorlErr("audio compress " + (dir.path() / "nodata.wav").string() + " -o " +
                    (dir.path() / "out" / "deeper").string());
    EXPECT_EQ(r.first, 1);
    EXPECT_NE(r.second.find("nodata.wav: no data chunk"), std::string::npos) << r.second;
    EXPECT_FALSE(fs::exists(dir.path() / "out"));
}

TEST(AudioCompressCommand, TheLibraryNeverWritesThroughAPlantedLink) {
    TempDir dir("cli-link");
    writeWav(dir.path() / "a.wav", voiceLike(4000));
    writeBytes(dir.path() / "victim", "precious");
    const fs::path project = dir.path() / "proj";
    fs::create_directories(project / "BinFiles");
    fs::create_directories(project / "WavFiles");
    fs::create_symlink(dir.path() / "victim", project / "BinFiles" / "a_8000_ADPCM14-4-1.bin");
    fs::create_symlink(dir.path() / "victim", project / "WavFiles" / "a_8000_ADPCM14-4-1.wav");
    const auto r = runQuorlErr("audio compress " + (dir.path() / "a.wav").string() + " -o " +
                               project.string());
    EXPECT_EQ(r.first, 1) << r.second;
    EXPECT_EQ(readBytes(dir.path() / "victim"), "precious");
}

} // namespace
} // namespace quorl::vq4::test
