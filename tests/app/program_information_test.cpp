// --help and --version of tessaly-vi-quorl, answered before any window exists,
// and the About box's version line built from the build's version.
#include "app/app_texts.h"
#include "app/program_information.h"

#include <gtest/gtest.h>
#include <quorl_version.h>
#include <sstream>

namespace quorl {
namespace {

std::optional<int> ask(std::initializer_list<const char*> args, std::string& printed) {
    std::vector<const char*> argv{"tessaly-vi-quorl"};
    argv.insert(argv.end(), args.begin(), args.end());
    std::ostringstream out;
    const auto code = answerInformationRequest(static_cast<int>(argv.size()), argv.data(), out);
    printed = out.str();
    return code;
}

TEST(ProgramInformation, VersionAndHelpAnswerAndEndTheProgram) {
    std::string printed;
    EXPECT_EQ(ask({"--version"}, printed), 0);
    EXPECT_EQ(printed, std::string("tessaly-vi-quorl ") + QUORL_VERSION + "\n");
    for (const char* option : {"--help", "-h"}) {
        EXPECT_EQ(ask({"my.ppg", option}, printed), 0) << option;
        EXPECT_EQ(printed.rfind("Usage: tessaly-vi-quorl ", 0), 0u);
        // help2man makes these the manual's sections.
        for (const char* heading : {"\nOptions:\n", "\nEnvironment:\n", "\nFiles:\n"})
            EXPECT_NE(printed.find(heading), std::string::npos) << heading;
        EXPECT_NE(printed.find("QUORL_DATA_DIR"), std::string::npos);
    }
}

TEST(ProgramInformation, OtherArgumentsStartTheProgram) {
    std::string printed;
    EXPECT_FALSE(ask({}, printed));
    EXPECT_FALSE(ask({"pager.ppg"}, printed));
    EXPECT_FALSE(ask({"-platform", "offscreen", "--versions"}, printed));
    EXPECT_TRUE(printed.empty());
}

TEST(ProgramInformation, AboutVersionLineComesFromTheBuildVersion) {
    // 1.7.x with release date 2014-05-26, as the pager trade writes them.
    EXPECT_STREQ(texts::kAboutVersion,
                 "Version R01.07                    Build date : May 26th, 2014");
    // Beside it, the version --version gives, so the two can be matched.
    EXPECT_STREQ(texts::kAboutBuild, "Program version 1.7.0");
}

} // namespace
} // namespace quorl
