#include "tests/support/folder_watch.h"
#include "tests/support/program_run.h"
#include "tests/support/test_files.h"
#include "tests/support/wav_writer.h"

#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace quorl::cli {
namespace {

namespace fs = std::filesystem;

const fs::path kLib = fs::path(QUORL_TEST_STAGE_DATA_DIR) / "Lib";
const std::string kQuorl = std::string(QUORL_TEST_BIN_DIR) + "/quorl";

test::ProgramResult quorl(std::vector<std::string> args) {
    args.insert(args.begin(), kQuorl);
    return test::runProgram(std::move(args));
}

// The shipped VHF codeplug with identity texts of one's choosing; the image check
// does not look at them.
fs::path codeplugWith(const test::TempDir& dir, const std::string& serial,
                      const std::string& model) {
    std::string bytes = test::fileText(kLib / "Default_VHF_5CH.ppg");
    constexpr std::size_t kHeader = 48;
    bytes.replace(kHeader + 0x110, serial.size(), serial);
    bytes.replace(kHeader + 0x11A, model.size(), model);
    const fs::path file = dir / "odd.ppg";
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}

// A trace that lost lines to a full disk is said, with the cause. A file-size limit of
// nothing stands in for the full disk (its signal ignored, so writes fail instead).
TEST(QuorlHonesty, ATraceThatLostLinesIsSaid) {
    if (::access("/usr/bin/prlimit", X_OK) != 0)
        GTEST_SKIP() << "needs prlimit (util-linux)";
    test::TempDir dir;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    const auto r =
        test::runProgram({"/usr/bin/prlimit", "--fsize=0", "--", kQuorl, "verify", "--port",
                          (dir / "ttyNone").string(), "--trace", (dir / "t.trace").string(),
                          (kLib / "Default_VHF_5CH.ppg").string()});
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("lines are missing from the trace file " + (dir / "t.trace").string() +
                         ": File too large"),
              std::string::npos)
        << r.err;
}

// A misspelt command is named back; no command, or one without its file, is a usage
// error too.
TEST(QuorlHonesty, AnUnknownCommandIsNamed) {
    const auto r = quorl({"chek", "x.ppg"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("there is no command 'chek'"), std::string::npos) << r.err;
    EXPECT_EQ(quorl({}).exitCode, 2);
    EXPECT_EQ(quorl({"check"}).exitCode, 2);
}

TEST(QuorlHonesty, TextFromFilesReachesTheTerminalEscaped) {
    test::TempDir dir;
    // ESC [ 2 J clears the screen, BEL rings, \xc2\x9b is the C1 form of ESC [.
    const auto file = codeplugWith(dir, "\x1b[2J\x07\xc2\x9b", "Caf\xc3\xa9\xfe");
    const auto text = quorl({"info", file.string()});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out.find('\x1b'), std::string::npos);
    EXPECT_EQ(text.out.find('\x07'), std::string::npos);
    EXPECT_NE(text.out.find("serialNumber: \\x1B[2J\\x07\\xC2\\x9B001\n"), std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("modelNumber: Caf\xc3\xa9\\xFE"), std::string::npos) << text.out;
    const auto json = quorl({"info", "--json", file.string()});
    ASSERT_EQ(json.exitCode, 0);
    // The C1 form is a control as well: escaped in JSON too.
    EXPECT_NE(json.out.find(R"("serialNumber":"\u001b[2J\u0007\u009b001")"), std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"modelNumber\":\"Caf\xc3\xa9\\ufffd"), std::string::npos);
    EXPECT_NE(json.out.find("\"channelCount\":5,"), std::string::npos);
    EXPECT_NE(json.out.find("\"intermediateFrequencyMHz\":45.100000,"), std::string::npos);
    EXPECT_NE(json.out.find("\"squelchLevel\":"), std::string::npos);
    EXPECT_EQ(json.out.find("\"squelchLevel\":\""), std::string::npos);
    // Text that turns the line's direction (RIGHT-TO-LEFT OVERRIDE, RIGHT-TO-LEFT ISOLATE)
    // would show what follows reversed.
    const std::string rlo = "\xe2\x80\xae", rli = "\xe2\x81\xa7";
    const auto bidi = quorl({"info", codeplugWith(dir, "A" + rlo + "B", rli + "C").string()});
    EXPECT_NE(bidi.out.find("serialNumber: A\\xE2\\x80\\xAEB"), std::string::npos) << bidi.out;
    EXPECT_NE(bidi.out.find("modelNumber: \\xE2\\x81\\xA7C"), std::string::npos) << bidi.out;
}

TEST(QuorlHonesty, MessagesNameTheFileAndTheCause) {
    test::TempDir dir;
    auto r = quorl({"check", (dir / "pager.ppg").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("File Error #1 \n\nCannot open the file"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\n  " + (dir / "pager.ppg").string() + ": no such file\n"),
              std::string::npos)
        << r.err;
    std::ofstream(dir / "short.ppg") << "2012 Voice";
    r = quorl({"check", (dir / "short.ppg").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("File Error #2 \n\nCannot open the file; invalid file format.\n  " +
                         (dir / "short.ppg").string() +
                         ": not a codeplug file (10 bytes, a codeplug file has 16432)\n"),
              std::string::npos)
        << r.err;
    ASSERT_EQ(::mkfifo((dir / "fifo.ppg").c_str(), 0600), 0);
    r = quorl({"info", (dir / "fifo.ppg").string()});
    EXPECT_FALSE(r.timedOut);
    EXPECT_NE(r.err.find("fifo.ppg: not a regular file"), std::string::npos) << r.err;
}

TEST(QuorlHonesty, PortFailuresSayWhy) {
    test::TempDir dir;
    auto r = quorl(
        {"verify", "--port", (dir / "ttyNone").string(), (kLib / "Default_VHF_5CH.ppg").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Unable to connect to device.\n  " + (dir / "ttyNone").string() +
                         ": no such device"),
              std::string::npos)
        << r.err;
    r = quorl({"verify", "--port", "/dev/null", (kLib / "Default_VHF_5CH.ppg").string()});
    EXPECT_NE(r.err.find("/dev/null: not a terminal"), std::string::npos) << r.err;
}

TEST(QuorlHonesty, ReadChecksItsOutputBeforeTheCradle) {
    test::TempDir dir;
    // No cradle and no port would fail too, but later: the output is looked at first.
    const auto r = quorl({"read", "-o", (dir / "missing" / "pager.ppg").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("File Error #3"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("missing"), std::string::npos);
    EXPECT_EQ(r.err.find("Communication Error"), std::string::npos) << r.err;
}

// An empty name names no file: a usage error before anything is read or written.
TEST(QuorlHonesty, AnEmptyOutputNameIsAUsageError) {
    const std::string ppg = (kLib / "Default_VHF_5CH.ppg").string();
    const std::vector<std::string> commands[] = {
        {"read", "--port", "/nonexistent/tty", "-o", ""},
        {"report", ppg, "-o", ""},
        {"audio", "compress", ppg, "-o", ""},
        {"verify", "--port", "/nonexistent/tty", "--trace", "", ppg},
        {"write", "--all", "--log", "", ppg},
    };
    for (const auto& command : commands) {
        const auto r = quorl(command);
        EXPECT_EQ(r.exitCode, 2) << command[0];
        EXPECT_NE(r.err.find("names no file"), std::string::npos) << r.err;
    }
}

// Ended by a signal while the voice library works, the tool takes its scratch folder
// with it.
TEST(QuorlHonesty, AnInterruptedCompressLeavesNoScratchFolder) {
    test::TempDir dir;
    fs::create_directory(dir / "tmp");
    {
        // Ten minutes of a 500 Hz square wave, 16-bit mono at 8 kHz: seconds of work.
        test::WavLayout wav;
        for (std::uint32_t i = 0; i < 8000 * 600; ++i)
            wav.pcm.push_back(static_cast<std::int16_t>(i % 16 < 8 ? 8000 : -8000));
        test::writeWav(dir / "long.wav", wav);
    }
    const std::string tmp = (dir / "tmp").string(), wav = (dir / "long.wav").string(),
                      out = (dir / "out").string();
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::setenv("TMPDIR", tmp.c_str(), 1);
        ::execl(kQuorl.c_str(), kQuorl.c_str(), "audio", "compress", wav.c_str(), "-o", out.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Working: the library has begun to fill its scratch folder.
    const auto working = [&] {
        std::error_code ec;
        for (const auto& scratch : fs::directory_iterator(dir / "tmp", ec))
            if (!fs::is_empty(scratch.path(), ec) && !ec)
                return true;
        return false;
    };
    const bool wasWorking =
        test::waitForFolderChange(dir / "tmp", working, std::chrono::seconds(10));
    ::kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(wasWorking) << "no scratch folder was seen";
    ASSERT_TRUE(WIFSIGNALED(status)) << "finished before the signal; make the WAV longer";
    EXPECT_TRUE(fs::is_empty(dir / "tmp"));
}

TEST(QuorlHonesty, ReportRendersWithoutADisplayWhateverThePlatformSays) {
    if (!fs::exists(fs::path(QUORL_TEST_BIN_DIR) / "quorl-report"))
        GTEST_SKIP() << "built without the Qt parts";
    test::TempDir dir;
    test::ProgramRun run;
    run.args = {kQuorl, "report", (kLib / "Default_VHF_5CH.ppg").string(), "-o",
                (dir / "r.pdf").string()};
    run.env["QT_QPA_PLATFORM"] = "xcb";
    run.env["DISPLAY"] = std::nullopt;
    run.env["WAYLAND_DISPLAY"] = std::nullopt;
    const auto r = test::runProgram(run);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir / "r.pdf"));
}

// quorl runs the renderer that sits beside it. A copy of quorl in a folder of its own
// meets a renderer that crashes, and then none at all: each time it says so and
// exits 1, and the report it was asked for is not there.
// A file name is bytes: two names no character set can read stay two files, each
// exactly as asked; a report that cannot be written says where and why.
TEST(QuorlHonesty, ReportWritesTheNameAskedForAndSaysWhyNot) {
    if (!fs::exists(fs::path(QUORL_TEST_BIN_DIR) / "quorl-report"))
        GTEST_SKIP() << "built without the Qt parts";
    test::TempDir dir;
    const std::string ppg = (kLib / "Default_VHF_5CH.ppg").string();
    for (const char* name : {"\xff-caf\xe9.pdf", "\xfe-caf\xe9.pdf"}) {
        const auto r = quorl({"report", ppg, "-o", (dir / name).string()});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_GT(fs::file_size(dir / name), 0u) << name;
    }
    fs::create_directory(dir / "folder.pdf");
    const std::pair<std::string, std::string> failures[] = {
        {(dir / "folder.pdf").string(), ": Is a directory"},
        {(dir / "missing" / "r.pdf").string(), ": No such file or directory"},
    };
    for (const auto& [output, cause] : failures) {
        const auto r = quorl({"report", ppg, "-o", output});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find(cause), std::string::npos) << r.err;
    }
}

TEST(QuorlHonesty, ReportSaysWhenItsRendererDiesOrIsMissing) {
    test::TempDir dir;
    const fs::path copy = dir / "quorl";
    fs::copy_file(kQuorl, copy);
    const fs::path renderer = dir / "quorl-report";
    {
        std::ofstream script(renderer);
        script << "#!/bin/sh\nkill -SEGV $$\n";
    }
    fs::permissions(renderer, fs::perms::owner_all);
    const std::string pdf = (dir / "r.pdf").string();
    const auto crashed = test::runProgram(
        {copy.string(), "report", (kLib / "Default_VHF_5CH.ppg").string(), "-o", pdf});
    EXPECT_EQ(crashed.exitCode, 1);
    EXPECT_NE(crashed.err.find("the PDF renderer failed (Segmentation fault); no report was "
                               "written"),
              std::string::npos)
        << crashed.err;
    EXPECT_FALSE(fs::exists(pdf));

    fs::remove(renderer);
    const auto missing = test::runProgram(
        {copy.string(), "report", (kLib / "Default_VHF_5CH.ppg").string(), "-o", pdf});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("which is not installed"), std::string::npos) << missing.err;
    EXPECT_FALSE(fs::exists(pdf));
}

} // namespace
} // namespace quorl::cli
