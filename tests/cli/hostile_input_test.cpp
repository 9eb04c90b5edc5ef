// Every `quorl` command against files that are missing, odd or hostile: each run ends
// on its own (no hang), with exit 1 or 2, a message that names the file, no raw control
// characters on the terminal, no partial output and the old output file intact.
#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorl::cli {
namespace {

namespace fs = std::filesystem;

const fs::path kData = QUORL_TEST_STAGE_DATA_DIR;
const std::string kQuorl = std::string(QUORL_TEST_BIN_DIR) + "/quorl";

// How the file's name shows in a message: control characters escaped.
std::string shownName(const fs::path& p) {
    std::string out;
    for (unsigned char c : p.filename().string()) {
        if (c < 0x20 || c == 0x7F) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

class HostileInputs : public ::testing::Test {
protected:
    HostileInputs() {
        fs::create_directories(root_ / "out");
        const std::string ppg = test::fileText(kData / "Lib" / "Default_VHF_5CH.ppg");
        add("missing.ppg", [](const fs::path&) {});
        add("folder.ppg", [](const fs::path& p) { fs::create_directory(p); });
        add("empty.ppg", [](const fs::path& p) { test::writeText(p, ""); });
        add("truncated.ppg",
            [ppg](const fs::path& p) { test::writeText(p, ppg.substr(0, ppg.size() / 2)); });
        add("huge.ppg", [](const fs::path& p) {
            test::writeText(p, "");
            fs::resize_file(p, 100u << 20); // 100 MB of zeros, without writing them
        });
        add("fifo.ppg", [](const fs::path& p) { ::mkfifo(p.c_str(), 0600); });
        add("dangling.ppg",
            [this](const fs::path& p) { fs::create_symlink(root_ / "nowhere", p); });
        add("loop.ppg", [](const fs::path& p) { fs::create_symlink(p.filename(), p); });
        add("\x1b[2J\x07name.ppg",
            [](const fs::path& p) { test::writeText(p, "\x1b]0;owned\x07"); });
        add(std::string(251, 'n') + ".ppg", [](const fs::path& p) { test::writeText(p, "short"); });
        if (::geteuid() != 0) // root reads whatever the permission bits say
            add("unreadable.ppg", [ppg](const fs::path& p) {
                test::writeText(p, ppg);
                ::chmod(p.c_str(), 0);
            });
    }

    void add(const std::string& name, const std::function<void(const fs::path&)>& make) {
        const fs::path p = root_ / name;
        make(p);
        inputs_.push_back(p);
    }

    // Runs one command line and checks what every failure must look like.
    void expectRefused(const std::vector<std::string>& args, const fs::path& named,
                       const fs::path& output = {}) {
        const std::string oldOutput = output.empty() ? "" : test::fileText(output);
        test::ProgramRun run;
        run.args = args;
        run.args.insert(run.args.begin(), kQuorl);
        run.timeout = std::chrono::seconds(30);
        const auto r = test::runProgram(run);
        std::string line;
        for (const auto& a : args)
            line += a.substr(0, 60) + ' ';
        SCOPED_TRACE(line);
        EXPECT_FALSE(r.timedOut);
        EXPECT_EQ(r.signal, 0);
        EXPECT_TRUE(r.exitCode == 1 || r.exitCode == 2) << r.exitCode << r.err;
        EXPECT_NE(r.err.find(shownName(named)), std::string::npos) << r.err;
        for (char c : r.err + r.out)
            EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << r.err;
        if (!output.empty()) {
            EXPECT_EQ(test::fileText(output), oldOutput) << "the old output must stay";
        }
        for (const auto& e : fs::directory_iterator(root_ / "out"))
            ADD_FAILURE() << "left behind: " << e.path();
    }

    test::TempDir dir_;
    const fs::path root_ = dir_.path();
    std::vector<fs::path> inputs_;
};

TEST_F(HostileInputs, EveryCommandRefusesEveryInputCleanly) {
    const fs::path pdf = root_ / "old.pdf";
    test::writeText(pdf, "old report");
    const std::string vhf = (kData / "Lib" / "Default_VHF_5CH.ppg").string();
    const fs::path text = root_ / "vhf.yaml";
    ASSERT_EQ(test::runProgram({kQuorl, "export", vhf, "-o", text.string()}).exitCode, 0);
    for (const auto& input : inputs_) {
        const std::string in = input.string();
        const std::string out = (root_ / "out" / "stream").string();
        expectRefused({"check", in}, input);
        expectRefused({"info", in}, input);
        expectRefused({"info", "--json", in}, input);
        if (fs::exists(fs::path(QUORL_TEST_BIN_DIR) / "quorl-report"))
            expectRefused({"report", in, "-o", pdf.string()}, input, pdf);
        expectRefused({"write", "--port", "/dev/null", in}, input);
        expectRefused({"verify", "--port", "/dev/null", in}, input);
        expectRefused({"audio", "check", in}, input);
        expectRefused({"audio", "compress", in, "-o", out}, input);
        expectRefused({"audio", "write", "--port", "/dev/null", "--slot", "1=" + in}, input);
        // Codeplug text: the file as a codeplug, as a text and as the base of a text.
        expectRefused({"export", in}, input);
        expectRefused({"export", in, "-o", out}, input);
        expectRefused({"import", in, "--base", vhf, "-o", out}, input);
        expectRefused({"import", text.string(), "--base", in, "-o", out}, input);
        expectRefused({"diff", in, vhf}, input);
        expectRefused({"diff", "--json", vhf, in}, input);
    }
}

TEST_F(HostileInputs, OutputsThatCannotBeWrittenAreRefusedFirst) {
    const fs::path old = root_ / "old.ppg";
    test::writeText(old, "old codeplug");
    for (const fs::path& output :
         {root_ / "folder.ppg", root_ / "missing" / "x.ppg", root_ / "out" / std::string(256, 'n'),
          root_ / "missing" / "\x1b[2Jx.ppg"})
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"read", "--port", "/dev/null", "-o", output.string()},
              {"export", (kData / "Lib" / "Default_VHF_5CH.ppg").string(), "-o", output.string()}})
            expectRefused(args, fs::exists(output.parent_path()) ? output : output.parent_path());
    // A port that cannot be used: the old file stays as it was.
    expectRefused({"read", "--port", "/dev/null", "-o", old.string()}, "/dev/null", old);
    expectRefused({"ports"}, "cradle");
}

// Standard output on a full disk: every program says so and fails, its help and version
// texts included.
TEST_F(HostileInputs, OutputThatCannotBeWrittenIsAFailure) {
    const std::string bin = QUORL_TEST_BIN_DIR,
                      vhf = (kData / "Lib" / "Default_VHF_5CH.ppg").string();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{kQuorl, "check", vhf},
          {kQuorl, "info", vhf},
          {kQuorl, "info", "--json", vhf},
          {kQuorl, "export", vhf},
          {kQuorl, "diff", vhf, (kData / "Lib" / "Default_UHF_1CH.ppg").string()},
          {kQuorl, "audio", "check", (kData / "WavForms" / "01_custom_alert_1.wav").string()},
          {bin + "/quorl-pager-sim", "--help"},
          {bin + "/quorl-report", "--help"},
          {bin + "/quorl-report", "--version"}}) {
        if (!fs::exists(args[0]))
            continue; // built without the Qt parts
        test::ProgramRun run;
        run.args = args;
        run.stdoutPath = "/dev/full";
        const auto r = test::runProgram(run);
        EXPECT_EQ(r.exitCode, args[1] == "diff" ? 2 : 1) << args[0] << ' ' << args[1];
        if (args[0] == kQuorl) {
            EXPECT_NE(r.err.find("cannot write the output: No space left on device"),
                      std::string::npos)
                << args[1] << ": " << r.err;
        }
    }
}

} // namespace
} // namespace quorl::cli
