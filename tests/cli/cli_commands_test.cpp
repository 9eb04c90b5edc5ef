#include "cli/codeplug_commands.h"
#include "cli/json_writer.h"
#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <utility>
#include <vector>

namespace quorl::cli {
namespace {

const std::filesystem::path kLib = std::filesystem::path(QUORL_TEST_STAGE_DATA_DIR) / "Lib";
const std::filesystem::path kQuorl = std::filesystem::path(QUORL_TEST_BIN_DIR) / "quorl";

// Runs the installed-layout binary with the blank-separated `args` and returns its exit
// code and standard output.
std::pair<int, std::string> run(const std::string& args) {
    std::vector<std::string> argv{kQuorl.string()};
    std::istringstream words(args);
    for (std::string w; words >> w;)
        argv.push_back(w);
    const auto result = test::runProgram(argv);
    return {result.exitCode, result.out};
}

TEST(QuorlTool, ShippedCodeplugsPassTheCheck) {
    for (const char* name : {"Default_VHF_5CH.ppg", "Default_UHF_1CH.ppg"})
        EXPECT_EQ(run("check " + (kLib / name).string()).first, 0) << name;
}

TEST(QuorlTool, InfoDecodesTheIdentity) {
    std::ostringstream out, err;
    ASSERT_EQ(runInfo((kLib / "Default_UHF_1CH.ppg").string(), true, out, err), kExitOk);
    const std::string json = out.str();
    EXPECT_NE(json.find("\"modelNumber\":\"TV6UHF1CH001\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"codeplugVersion\":\"R01.07\""), std::string::npos);
    EXPECT_NE(json.find("\"channelType\":\"Single Channel\""), std::string::npos);
    EXPECT_NE(json.find("\"bandSplit\":\"450-486 MHz\""), std::string::npos);
}

TEST(JsonWriter, EscapesControlBytesKeepsUtf8AndReplacesOtherBytes) {
    std::ostringstream out;
    JsonWriter::writeString(out, std::string("a\"b\\\n\x01\xff\x7f\xc3\xa9\xe2\x82", 12));
    EXPECT_EQ(out.str(), "\"a\\\"b\\\\\\n\\u0001\\ufffd\\u007f\xc3\xa9\\ufffd\\ufffd\"");
}

// Characters that turn the text's direction or act as controls are escaped as the text
// output shows them; their neighbours in the same blocks stay as they are.
TEST(JsonWriter, EscapesDirectionOverridesAndC1Controls) {
    const std::pair<const char*, const char*> cases[] = {
        {"\xe2\x80\xae", "\\u202e"},      {"\xe2\x80\xaa", "\\u202a"},
        {"\xe2\x81\xa6", "\\u2066"},      {"\xe2\x81\xa9", "\\u2069"},
        {"\xe2\x80\x8f", "\\u200f"},      {"\xd8\x9c", "\\u061c"},
        {"\xc2\x85", "\\u0085"},          {"\xc2\x9b", "\\u009b"},
        {"\xe2\x80\x90", "\xe2\x80\x90"}, {"\xe2\x81\xaa", "\xe2\x81\xaa"},
        {"\xc2\xa0", "\xc2\xa0"},
    };
    for (const auto& [raw, escaped] : cases) {
        std::ostringstream out;
        JsonWriter::writeString(out, std::string("a") + raw + "b");
        EXPECT_EQ(out.str(), std::string("\"a") + escaped + "b\"") << escaped;
    }
}

int countPages(const std::string& pdf) {
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1))
        if (pdf.compare(at, 12, "/Type /Pages") != 0)
            ++pages;
    return pages;
}

TEST(QuorlTool, ReportWritesTheSummaryPdf) {
    if (!std::filesystem::exists(kQuorl.parent_path() / "quorl-report"))
        GTEST_SKIP() << "built without the Qt parts";
    const ::quorl::test::TempDir dir;
    const auto pdf = dir / "summary.pdf";
    const auto [code, out] =
        run("report " + (kLib / "Default_VHF_5CH.ppg").string() + " -o " + pdf.string());
    ASSERT_EQ(code, 0) << out;
    const std::string bytes = test::fileText(pdf);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    EXPECT_EQ(countPages(bytes), 6);
    std::filesystem::remove(pdf);

    EXPECT_EQ(run("report /nonexistent.ppg -o " + pdf.string()).first, 1);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(run("report " + (kLib / "Default_VHF_5CH.ppg").string()).first, 2);
}

} // namespace
} // namespace quorl::cli
