// quorl export, import and diff from the command line, on real files.
#include "cli/codeplug_commands.h"
#include "cli/text_commands.h"
#include "codeplug/channel_block.h"
#include "codeplug/default_codeplug.h"
#include "codeplug/ppg_file.h"
#include "codeplug/summary_channel.h"
#include "tests/support/test_files.h"
#include "text_edit.h"
#include "textplug/editor_session.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <vector>

namespace quorl::cli {
namespace {

const std::filesystem::path kLib = std::filesystem::path(QUORL_TEST_STAGE_DATA_DIR) / "Lib";
const std::filesystem::path kQuorl = std::filesystem::path(QUORL_TEST_BIN_DIR) / "quorl";

int exitCodeOf(const std::string& args) {
    const int status = std::system((kQuorl.string() + " " + args + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class TextCommands : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string vhf = (kLib / "Default_VHF_5CH.ppg").string();
    std::string uhf = (kLib / "Default_UHF_1CH.ppg").string();
    std::string at(const std::string& name) const { return (dir / name).string(); }
};

TEST_F(TextCommands, ExportToStandardOutputOrAFileGivesTheSameText) {
    std::ostringstream out, err;
    ASSERT_EQ(runExport(vhf, "", out, err), kExitOk) << err.str();
    EXPECT_TRUE(out.str().starts_with("# yaml-language-server: $schema=/"));
    EXPECT_NE(out.str().find("\n# Tessaly VI Quorl "), std::string::npos);
    EXPECT_NE(out.str().find("# Source: Default_VHF_5CH.ppg\n"), std::string::npos);
    std::ostringstream none;
    ASSERT_EQ(runExport(vhf, at("v.yaml"), none, err), kExitOk);
    EXPECT_EQ(test::fileText(at("v.yaml")), out.str());
    EXPECT_TRUE(none.str().empty());

    std::ostringstream bad;
    EXPECT_EQ(runExport(at("missing.ppg"), "", out, bad), kExitFailure);
    EXPECT_NE(bad.str().find("File Error #1"), std::string::npos);
}

TEST_F(TextCommands, ImportWritesTheCodeplugOrNothing) {
    std::ostringstream out, err;
    ASSERT_EQ(runExport(vhf, at("v.yaml"), out, err), kExitOk);
    ASSERT_EQ(runImport(at("v.yaml"), vhf, at("same.ppg"), false, out, err), kExitOk) << err.str();
    EXPECT_EQ(test::fileText(at("same.ppg")), test::fileText(vhf));

    std::string text = test::fileText(at("v.yaml"));
    const auto place = test::setValue(text, {"channels", "F1", "Call 1", "Tone 1"}, "1000");
    const auto bad = test::setValue(text, {"channels", "F2", "Receiver Frequency"}, "200");
    std::ofstream(at("e.yaml")) << text;
    std::ostringstream errors;
    EXPECT_EQ(runImport(at("e.yaml"), vhf, at("never.ppg"), false, out, errors), kExitFailure);
    EXPECT_FALSE(std::filesystem::exists(at("never.ppg")));
    EXPECT_EQ(errors.str(),
              at("e.yaml") + ":" + std::to_string(bad.line) + ":" + std::to_string(bad.column) +
                  ": F2 Receiver Frequency: WARNING: Please enter a number between 142 and 175\n" +
                  at("e.yaml") + ":" + std::to_string(place.line) + ":" +
                  std::to_string(place.column) + ": note: F1 Call 1 Tone 1: taken as 1006.9\n");

    // An existing output file survives a refused import untouched.
    std::ofstream(at("keep.ppg")) << "old";
    EXPECT_EQ(runImport(at("e.yaml"), vhf, at("keep.ppg"), false, out, errors), kExitFailure);
    EXPECT_EQ(test::fileText(at("keep.ppg")), "old");

    // A 10 MB file is refused before it is read.
    {
        std::ofstream big(at("big.yaml"));
        big << std::string(10 * 1024 * 1024, '#');
    }
    std::ostringstream huge;
    EXPECT_EQ(runImport(at("big.yaml"), vhf, at("never.ppg"), false, out, huge), kExitFailure);
    EXPECT_EQ(huge.str(),
              at("big.yaml") +
                  ": the file is larger than 1 MB; a codeplug text is a few kilobytes\n");
}

TEST_F(TextCommands, DiffNamesEachValueAndExitsByTheResult) {
    std::ostringstream out, err;
    // A copy of the VHF codeplug with F2's first tone changed through the text.
    ASSERT_EQ(runExport(vhf, at("v.yaml"), out, err), kExitOk);
    std::string text = test::fileText(at("v.yaml"));
    test::setValue(text, {"channels", "F2", "Call 1", "Tone 1"}, "349.0");
    std::ofstream(at("w.yaml")) << text;
    ASSERT_EQ(runImport(at("w.yaml"), vhf, at("w.ppg"), false, out, err), kExitOk) << err.str();

    std::ostringstream same;
    EXPECT_EQ(runDiff(vhf, at("v.yaml"), false, same, err), kExitOk);
    EXPECT_EQ(same.str(), "");

    std::ostringstream changed;
    EXPECT_EQ(runDiff(vhf, at("w.ppg"), false, changed, err), kExitFailure);
    EXPECT_EQ(changed.str(), "F2 Call 1 Tone 1: 389.0 \u2192 349.0\n");

    std::ostringstream json;
    EXPECT_EQ(runDiff(at("w.ppg"), vhf, true, json, err), kExitFailure);
    EXPECT_EQ(json.str(), "{\"equal\":false,\"differences\":[{\"field\":\"F2 Call 1 Tone 1\","
                          "\"identity\":false,\"a\":\"349.0\",\"b\":\"389.0\"}],"
                          "\"hiddenByteDifferences\":0,\"hiddenByteAddresses\":[]}\n");

    // Identity differences are marked; a channel one side lacks has no value there.
    std::ostringstream pagers;
    EXPECT_EQ(runDiff(uhf, vhf, false, pagers, err), kExitFailure);
    EXPECT_NE(pagers.str().find("Serial Number (identity): 7TU0000001 \u2192 7TV0000001\n"),
              std::string::npos);
    EXPECT_NE(pagers.str().find("F2 Receiver Frequency: (not shown) \u2192 154.190000\n"),
              std::string::npos)
        << pagers.str();

    // Bytes no editor shows still make two files different.
    auto image = readPpgFile(vhf).image;
    image.set(0x0301, static_cast<std::uint8_t>(image.at(0x0301) ^ 0x5A)); // reserved byte
    ASSERT_TRUE(writePpgFile(at("reserved.ppg"), image));
    std::ostringstream hidden;
    EXPECT_EQ(runDiff(vhf, at("reserved.ppg"), false, hidden, err), kExitFailure);
    EXPECT_EQ(hidden.str(), "1 byte(s) differ that the editors do not show: 0x0301\n");

    std::ostringstream broken;
    EXPECT_EQ(runDiff(vhf, at("missing.ppg"), false, out, broken), 2);
    std::ofstream(at("bad.yaml")) << "channels: [";
    EXPECT_EQ(runDiff(at("bad.yaml"), vhf, false, out, broken), 2);
}

TEST_F(TextCommands, TheToolsExitCodes) {
    EXPECT_EQ(exitCodeOf("export " + vhf + " -o " + at("t.yaml")), 0);
    EXPECT_EQ(exitCodeOf("import " + at("t.yaml") + " --base " + vhf + " -o " + at("t.ppg")), 0);
    EXPECT_EQ(exitCodeOf("diff " + vhf + " " + at("t.ppg")), 0);
    EXPECT_EQ(exitCodeOf("diff " + uhf + " " + at("t.yaml")), 1);
    EXPECT_EQ(exitCodeOf("diff " + uhf + " " + at("nothing.yaml")), 2);
    EXPECT_EQ(exitCodeOf("import " + at("t.yaml") + " -o " + at("t.ppg")), 2) << "--base needed";
    EXPECT_EQ(exitCodeOf("export " + vhf + " --update " + at("t.yaml") + " -o " + at("u.yaml")), 2);
    EXPECT_EQ(exitCodeOf("export " + vhf + " --update -"), 2) << "a pipe cannot be rewritten";
    EXPECT_EQ(exitCodeOf("export " + vhf + " --update " + at("t.yaml")), 0);
    // The text of another pager does not fit a single-channel base.
    EXPECT_EQ(exitCodeOf("import " + at("t.yaml") + " --base " + uhf + " -o " + at("u.ppg")), 1);
    EXPECT_FALSE(std::filesystem::exists(at("u.ppg")));
}

// Every output of the tool is a regular file: a FIFO or a device at the target is
// refused and left as it is (only ever a FIFO or a null device made in the test's own folder).
TEST_F(TextCommands, OutputsGoToRegularFilesOnly) {
    ASSERT_EQ(exitCodeOf("export " + vhf + " -o " + at("t.yaml")), 0);
    ASSERT_EQ(::mkfifo(at("fifo").c_str(), 0600), 0);
    std::vector<std::string> targets{at("fifo")};
    if (::mknod(at("null").c_str(), S_IFCHR | 0600, ::makedev(1, 3)) == 0)
        targets.push_back(at("null"));
    for (const std::string& target : targets) {
        const std::string commands[] = {
            "export " + vhf + " -o " + target,
            "import " + at("t.yaml") + " --base " + vhf + " -o " + target,
            "report " + vhf + " -o " + target,
            "read --port " + at("ttyNone") + " -o " + target,
            "verify --port " + at("ttyNone") + " --trace " + target + " " + vhf,
            "write --all --log " + target + " " + vhf,
        };
        for (const std::string& c : commands) {
            const auto type = std::filesystem::status(target).type();
            EXPECT_NE(exitCodeOf(c), 0) << c;
            EXPECT_EQ(std::filesystem::status(target).type(), type) << c;
        }
    }
    // The dry run: --check writes nothing and says by its exit code whether the text applies.
    EXPECT_EQ(exitCodeOf("import " + at("t.yaml") + " --base " + vhf + " --check"), 0);
    EXPECT_EQ(exitCodeOf("import " + at("t.yaml") + " --base " + uhf + " --check"), 1);
    EXPECT_EQ(exitCodeOf("import " + at("t.yaml") + " --base " + vhf), 2) << "-o or --check";
}

// Bytes no control can show read the same on every surface: the editors' repair.
TEST_F(TextCommands, EverySurfaceShowsTheSameValueOfOutOfRangeBytes) {
    CodeplugImage image = makeDefaultCodeplug(vhfFiveChannelFactory());
    image.set(0x0307, 7);                                                        // squelch
    image.set(0x0309, static_cast<std::uint8_t>((image.at(0x0309) & 0xF8) | 6)); // tone system
    image.set(0x0306, 12);                                                       // coding option
    ASSERT_TRUE(writePpgFile(at("odd.ppg"), image));
    // Worked out from the repairs: squelch past 4 is 2 (slider position 3), a tone
    // system past 4 is "User", a coding option past 10 is "R168 (None)".
    const std::pair<std::string, std::string> expected[] = {
        {"Squelch Level", "3"}, {"Tone System", "User"}, {"Coding Option", "R168 (None)"}};

    std::ostringstream text, json, err;
    ASSERT_EQ(runExport(at("odd.ppg"), "", text, err), kExitOk) << err.str();
    ASSERT_EQ(runInfo(at("odd.ppg"), true, json, err), kExitOk) << err.str();
    // diff (and verify, which prints the same lines) finds the text and the file equal.
    std::ofstream(at("odd.yaml")) << text.str();
    std::ostringstream same;
    EXPECT_EQ(runDiff(at("odd.yaml"), at("odd.ppg"), false, same, err), kExitOk) << same.str();
    const SummaryChannel summary = summaryChannel(textplug::shownImage(image), 0);
    const std::string printed[] = {summary.squelch, summary.toneSystem, summary.codingOption};
    const char* jsonKeys[] = {"\"squelchLevel\":", "\"toneSystem\":", "\"codingOption\":"};
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const auto& [field, value] = expected[i];
        EXPECT_NE(text.str().find("    " + field + ": " + value + "\n"), std::string::npos)
            << field;
        const bool number = field == "Squelch Level";
        EXPECT_NE(json.str().find(jsonKeys[i] + (number ? value : '"' + value + '"')),
                  std::string::npos)
            << field << '\n'
            << json.str();
        EXPECT_EQ(printed[i], value) << field;
    }
}

// "-" and the pipes a shell hands over, through a real shell.
class Pipelines : public TextCommands {
protected:
    // Runs `script` with `shell` in the test's folder, standard output to "out" and
    // errors to "err" there; returns the exit code.
    int sh(const std::string& script, const std::string& shell = "sh") {
        std::ofstream(at("run.sh")) << "cd '" << dir.path().string() << "'\nQ='" << kQuorl.string()
                                    << "'\nV='" << vhf << "'\nU='" << uhf << "'\n"
                                    << script << '\n';
        const int status = std::system(
            (shell + " '" + at("run.sh") + "' >'" + at("out") + "' 2>'" + at("err") + "'").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(Pipelines, StandardInputAndOutputStandForFiles) {
    // export -o - is standard output, not a file named "-".
    ASSERT_EQ(sh("$Q export $V -o - >t.yaml"), 0) << test::fileText(at("err"));
    EXPECT_FALSE(std::filesystem::exists(at("-")));
    EXPECT_NE(test::fileText(at("t.yaml")).find("\n# Tessaly VI Quorl "), std::string::npos);
    // export | import - | (the .ppg on standard output): the same bytes as the base.
    ASSERT_EQ(sh("$Q export $V | $Q import - --base $V -o - >same.ppg"), 0)
        << test::fileText(at("err"));
    EXPECT_EQ(test::fileText(at("same.ppg")), test::fileText(vhf));
    // A patch edited on the way: sed changes F2's first tone.
    ASSERT_EQ(sh("$Q export $V | sed 's/389.0/349.0/' | $Q import /dev/stdin --base $V -o p.ppg"),
              0)
        << test::fileText(at("err"));
    EXPECT_EQ(sh("$Q diff $V p.ppg"), 1);
    EXPECT_EQ(test::fileText(at("out")), "F2 Call 1 Tone 1: 389.0 \u2192 349.0\n");
    // --check reads the pipe and writes nothing.
    EXPECT_EQ(sh("printf 'channels:\\n  F2: {Squelch Level: 9}\\n' | $Q import - --base $V "
                 "--partial --check"),
              1);
    EXPECT_EQ(test::fileText(at("out")), "");
    EXPECT_EQ(test::fileText(at("err")),
              "(standard input):2:23: F2 Squelch Level: expected 1 (Tight) to 5 (Loose)\n"
              "(standard input):1:1: note: format: no format key; read as tessaly-vi-quorl/1 "
              "(texts exported before the key was written)\n");
    // diff of a file against the text on standard input.
    EXPECT_EQ(sh("$Q export $V | $Q diff p.ppg -"), 1);
    EXPECT_EQ(test::fileText(at("out")), "F2 Call 1 Tone 1: 349.0 \u2192 389.0\n");
}

TEST_F(Pipelines, ProcessSubstitutionIsAText) {
    ASSERT_EQ(sh("$Q diff <($Q export $U) <($Q export $V)", "bash"), 1)
        << test::fileText(at("err"));
    EXPECT_NE(
        test::fileText(at("out")).find("Serial Number (identity): 7TU0000001 \u2192 7TV0000001\n"),
        std::string::npos);
}

// The git setup the README gives: git diff and git log -p show a changed tone of a
// .ppg file as text.
TEST_F(Pipelines, GitShowsCodeplugChangesAsText) {
    if (std::system("git --version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no git";
    ASSERT_EQ(sh("export HOME=\"$PWD\" GIT_CONFIG_NOSYSTEM=1\n"
                 "git init -q repo && cd repo && git config user.name T && git config "
                 "user.email t@example.org\n"
                 "git config diff.quorl.textconv \"$Q export\"\n"
                 "echo '*.ppg diff=quorl' >.gitattributes && cp \"$V\" pager.ppg\n"
                 "git add . && git commit -qm first\n"
                 "$Q export pager.ppg | sed 's/389.0/349.0/' | $Q import - --base pager.ppg -o "
                 "pager.ppg\n"
                 "git diff --no-color >../diff.txt && git commit -qam tone && git log -p "
                 "--no-color -1 >../log.txt"),
              0)
        << test::fileText(at("err"));
    for (const char* file : {"diff.txt", "log.txt"}) {
        const std::string shown = test::fileText(at(file));
        const auto hunk = shown.find("@@");
        ASSERT_NE(hunk, std::string::npos) << file << '\n' << shown;
        std::vector<std::string> changed;
        std::istringstream lines(shown.substr(hunk));
        for (std::string line; std::getline(lines, line);)
            if (line.starts_with('-') || line.starts_with('+'))
                changed.push_back(line);
        EXPECT_EQ(changed,
                  (std::vector<std::string>{"-      Tone 1: 389.0", "+      Tone 1: 349.0"}))
            << file << '\n'
            << shown;
    }
}

} // namespace
} // namespace quorl::cli
