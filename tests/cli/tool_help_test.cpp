// `quorl --version` and `quorl --help-all` run as processes. The manual page and
// the shell completion are built from --help-all, so it must name every command
// and option that the commands' own --help knows.
#include "tests/support/program_run.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <quorl_version.h>
#include <sstream>
#include <string>
#include <vector>

namespace quorl::cli {
namespace {

// `quorl` with blank-separated arguments: its exit code and standard output.
std::pair<int, std::string> runQuorl(const std::string& args) {
    std::vector<std::string> argv{(std::filesystem::path(QUORL_TEST_BIN_DIR) / "quorl").string()};
    std::istringstream words(args);
    for (std::string word; words >> word;)
        argv.push_back(word);
    const test::ProgramResult result = test::runProgram(std::move(argv));
    return {result.exitCode, result.out};
}

// The first words of the entries under `heading` in CLI11's help of one command.
std::vector<std::string> entries(const std::string& help, const std::string& heading) {
    std::vector<std::string> names;
    std::istringstream in(help);
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        if (line == heading) {
            inside = true;
            continue;
        }
        if (inside && (line.size() < 3 || line[0] != ' '))
            break;
        if (inside)
            names.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    return names;
}

TEST(ToolHelp, VersionIsTheBuildsVersion) {
    const auto [code, out] = runQuorl("--version");
    EXPECT_EQ(code, 0);
    EXPECT_EQ(out, std::string("quorl ") + QUORL_VERSION + "\n");
}

TEST(ToolHelp, HelpAllNamesEveryCommandAndOptionOfTheCommandsOwnHelp) {
    const auto [code, all] = runQuorl("--help-all");
    ASSERT_EQ(code, 0);
    std::vector<std::string> pending = entries(runQuorl("--help").second, "Subcommands:");
    ASSERT_GE(pending.size(), 8u);
    int leaves = 0;
    while (!pending.empty()) {
        const std::string command = pending.back();
        pending.pop_back();
        const std::string help = runQuorl(command + " --help").second;
        const auto members = entries(help, "Subcommands:");
        for (const auto& member : members)
            pending.push_back(command + ' ' + member);
        if (!members.empty())
            continue;
        ++leaves;
        auto block = all.find("\nquorl " + command + ' ');
        if (block == std::string::npos)
            block = all.find("\nquorl " + command + ':');
        ASSERT_NE(block, std::string::npos) << "no block for " << command << "\n" << all;
        const std::string text = all.substr(block, all.find("\n\nquorl ", block + 1) - block);
        for (const auto& heading : {"Options:", "Positionals:"}) {
            for (const auto& option : entries(help, heading)) {
                if (option == "-h,--help")
                    continue;
                EXPECT_NE(text.find("\n  " + option + ' '), std::string::npos)
                    << command << ": " << option << " missing in\n"
                    << text;
            }
        }
    }
    EXPECT_GE(leaves, 10); // audio compress, check and write among them
}

TEST(ToolHelp, HelpEndsWithExitStatusEnvironmentAndFiles) {
    const auto [code, out] = runQuorl("--help");
    EXPECT_EQ(code, 0);
    const auto exit = out.find("\nExit status:\n  0 ");
    const auto environment = out.find("\nEnvironment:\n  QUORL_BUILD_DIR ");
    const auto files = out.find("\nFiles:\n");
    ASSERT_NE(exit, std::string::npos) << out;
    EXPECT_NE(out.find("\n  2   Usage error"), std::string::npos);
    EXPECT_LT(exit, environment);
    EXPECT_LT(environment, files);
    EXPECT_NE(out.find("/usr/lib/udev/rules.d/70-tessaly-cradle.rules"), std::string::npos);
}

} // namespace
} // namespace quorl::cli
