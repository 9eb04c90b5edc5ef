// What the package tells the system and the user, checked against what is real: the
// udev rule's USB IDs, and the value lists the help gives for the voice options.
#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace quorl::cli {
namespace {

namespace fs = std::filesystem;

// The cradle is a CP210x bridge with its own USB IDs; every rule in the file is bound
// to them, so no other Silicon Labs device is hidden from ModemManager or opened to
// the user at the seat.
TEST(PackageFiles, TheUdevRuleMatchesTheCradlesUsbIdsAlone) {
    const std::string whole =
        test::fileText(QUORL_TEST_SOURCE_DIR "/resources/70-tessaly-cradle.rules");
    ASSERT_FALSE(whole.empty());
    // A rule may go on over a line ending in a backslash.
    const std::string text = std::regex_replace(whole, std::regex("\\\\\n"), " ");
    const std::regex clause(R"re(([A-Za-z_]+(\{[^}]*\})?)\s*(==|!=|\+=|:=|=)\s*"([^"]*)")re");
    int rules = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#')
            continue;
        ++rules;
        std::multimap<std::string, std::string> matches;
        for (auto it = std::sregex_iterator(line.begin(), line.end(), clause);
             it != std::sregex_iterator(); ++it)
            if ((*it)[3] == "==")
                matches.emplace((*it)[1], (*it)[4]);
        EXPECT_EQ(matches.count("ATTRS{idVendor}"), 1u) << line;
        EXPECT_EQ(matches.count("ATTRS{idProduct}"), 1u) << line;
        const auto vendor = matches.find("ATTRS{idVendor}");
        const auto product = matches.find("ATTRS{idProduct}");
        EXPECT_TRUE(vendor != matches.end() && vendor->second == "10c4") << line;
        EXPECT_TRUE(product != matches.end() && product->second == "ea60") << line;
    }
    EXPECT_GE(rules, 1);
}

// The integers a list such as "2..5, 10..13, 24, or -1 for ..." names.
std::set<int> listed(const std::string& list) {
    std::set<int> values;
    const std::regex item(R"((?:^|, )(?:or )?(-?\d+)(?:\.\.(-?\d+))?)");
    for (auto it = std::sregex_iterator(list.begin(), list.end(), item);
         it != std::sregex_iterator(); ++it) {
        const int from = std::stoi((*it)[1]);
        const int to = (*it)[2].matched ? std::stoi((*it)[2]) : from;
        for (int v = from; v <= to; ++v)
            values.insert(v);
    }
    return values;
}

// The help names exactly the values the command takes: each value from below to above
// the list is tried, and a usage error (2) is a value refused.
TEST(PackageFiles, TheVoiceOptionsHelpListsTheValuesTheCommandTakes) {
    const std::string quorl = (fs::path(QUORL_TEST_BIN_DIR) / "quorl").string();
    auto help = test::runProgram({quorl, "audio", "compress", "--help"}).out;
    help = std::regex_replace(help, std::regex("\\s+"), " ");
    const auto missing = (fs::path(::testing::TempDir()) / "quorl-no-such.wav").string();
    const auto out = (fs::path(::testing::TempDir()) / "quorl-voice-out").string();
    // Each tried from below the list to just above it.
    const struct {
        const char* option;
        const char* lead;
        int last;
    } options[] = {{"--type", "Compression type: ", 31}, {"--srtype", "Sample-rate type: ", 7}};
    for (const auto& o : options) {
        const auto at = help.find(o.lead);
        ASSERT_NE(at, std::string::npos) << help;
        // The option's text goes on to the next option.
        std::string text = help.substr(at + std::string(o.lead).size());
        if (std::smatch next; std::regex_search(text, next, std::regex(" --?[a-z]")))
            text.resize(static_cast<std::size_t>(next.position(0)));
        const auto inHelp = listed(text);
        std::set<int> taken;
        for (int v = -3; v <= o.last; ++v)
            if (test::runProgram(
                    {quorl, "audio", "compress", missing, o.option, std::to_string(v), "-o", out})
                    .exitCode != 2)
                taken.insert(v);
        EXPECT_EQ(inHelp, taken) << o.option;
    }
}

} // namespace
} // namespace quorl::cli
