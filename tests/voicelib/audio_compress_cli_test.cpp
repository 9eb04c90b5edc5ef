// `quorl audio compress` run as a process, loading the built libVQ4.so.
#include "tests/support/program_run.h"
#include "tests/voicelib/test_wav.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace quorl::vq4::test {
namespace {

namespace fs = std::filesystem;

::quorl::test::ProgramResult quorl(std::vector<std::string> args) {
    args.insert(args.begin(), (fs::path(QUORL_TEST_BIN_DIR) / "quorl").string());
    return ::quorl::test::runProgram(std::move(args));
}

TEST(AudioCompressCommand, CompressesIntoTheProjectFolderAndReportsFigures) {
    TempDir dir("cli");
    writeWav(dir.path() / "alert.wav", voiceLike(16000, 16000), WavFormat{16000});
    const auto run = quorl({"audio", "compress", (dir.path() / "alert.wav").string(), "-o",
                            (dir.path() / "proj").string()});
    const std::string& out = run.out;
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const fs::path stream = dir.path() / "proj" / "BinFiles" / "alert_8000_ADPCM14-4-1.bin";
    EXPECT_NE(out.find("stream: " + stream.string() + "\n"), std::string::npos) << out;
    EXPECT_NE(out.find("size: " + std::to_string(fs::file_size(stream)) + " bytes\n"),
              std::string::npos);
    EXPECT_NE(out.find("codec: ADPCM14-4-1\n"), std::string::npos);
    EXPECT_NE(out.find("bit rate: 4.0"), std::string::npos) << out;
    EXPECT_NE(out.find("segmental SNR: "), std::string::npos);

    const auto enhanced = quorl({"audio", "compress", (dir.path() / "alert.wav").string(), "--type",
                                 "12", "--srtype", "5", "-o", (dir.path() / "proj").string()});
    EXPECT_EQ(enhanced.exitCode, 0);
    EXPECT_NE(enhanced.out.find("alert_16000_ADPCM14-4-E2.bin"), std::string::npos);

    writeWav(dir.path() / "stereo.wav", voiceLike(1000), WavFormat{8000, 2});
    EXPECT_EQ(quorl({"audio", "compress", (dir.path() / "stereo.wav").string(), "-o",
                     (dir.path() / "proj").string()})
                  .exitCode,
              1);
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
    const std::string project = (dir.path() / "proj").string();
    const auto first =
        quorl({"audio", "compress", (dir.path() / "first" / "beep.wav").string(), "-o", project});
    ASSERT_EQ(first.exitCode, 0);
    const auto second =
        quorl({"audio", "compress", (dir.path() / "second" / "beep.wav").string(), "-o", project});
    ASSERT_EQ(second.exitCode, 0);
    // 4-bit ADPCM: half a byte a sample, a quarter of the first one's samples.
    const fs::path stream = dir.path() / "proj" / "BinFiles" / "beep_8000_ADPCM14-4-1.bin";
    EXPECT_LT(fs::file_size(stream), 2100u);
    EXPECT_NE(second.out.find("size: " + std::to_string(fs::file_size(stream)) + " bytes"),
              std::string::npos)
        << second.out;
}

TEST(AudioCompressCommand, SaysWhatFailedAndLeavesNoEmptyFolders) {
    TempDir dir("cli-fail");
    const std::string wav = (dir.path() / "a.wav").string();
    writeWav(wav, voiceLike(1000));
    // Options out of range are usage errors, found before anything is done.
    const std::pair<const char*, const char*> outOfRange[] = {
        {"--type", "7"}, {"--type", "x"}, {"--srtype", "9"}, {"--srtype", "-3"}};
    for (const auto& [option, value] : outOfRange) {
        const auto r =
            quorl({"audio", "compress", wav, option, value, "-o", (dir.path() / "out").string()});
        EXPECT_EQ(r.exitCode, 2) << option << ' ' << value;
        EXPECT_FALSE(fs::exists(dir.path() / "out")) << option << ' ' << value;
    }
    auto r = quorl({"audio", "compress", (dir.path() / "none.wav").string(), "-o",
                    (dir.path() / "out").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("none.wav: no such file"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir.path() / "out"));

    writeBytes(dir.path() / "file", "x");
    r = quorl({"audio", "compress", wav, "-o", (dir.path() / "file").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("output folder"), std::string::npos) << r.err;

    // A WAV without a data chunk: the library refuses it, and the folders made for
    // the run go again.
    std::string noData = wavBytes(voiceLike(100));
    noData.resize(noData.find("data"));
    writeBytes(dir.path() / "nodata.wav", noData);
    r = quorl({"audio", "compress", (dir.path() / "nodata.wav").string(), "-o",
               (dir.path() / "out" / "deeper").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("nodata.wav: no data chunk"), std::string::npos) << r.err;
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
    const auto r =
        quorl({"audio", "compress", (dir.path() / "a.wav").string(), "-o", project.string()});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(readBytes(dir.path() / "victim"), "precious");
}

} // namespace
} // namespace quorl::vq4::test
