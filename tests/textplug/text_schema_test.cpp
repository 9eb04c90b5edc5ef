// The schema editors use, checked by Debian's python3-jsonschema: every export
// validates, and texts with the mistakes people make are refused.
#include "codeplug/default_codeplug.h"
#include "random_codeplug.h"
#include "tests/support/test_files.h"
#include "text_edit.h"
#include "textplug/codeplug_fields.h"
#include "textplug/text_export.h"
#include "textplug/text_schema.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace quorl::textplug {
namespace {

const std::string kScript = std::string(QUORL_TEXTPLUG_TEST_DIR) + "/validate_texts.py";
// The schema as the build made it for installing.
const std::string kSchema = std::string(QUORL_TEST_STAGE_DATA_DIR) + "/codeplug-text.schema.json";

class TextSchema : public ::testing::Test {
protected:
    test::TempDir dir;
    void SetUp() override {
        if (std::system("python3 -c 'import jsonschema, yaml' 2>/dev/null") != 0)
            GTEST_SKIP() << "python3-jsonschema is not installed";
        ASSERT_EQ(test::fileText(kSchema), codeplugTextSchema());
    }
    // Writes each text to a file and runs the validator over them all.
    int validate(const char* expectation, const std::vector<std::string>& texts) {
        std::string command = "python3 '" + kScript + "' '" + kSchema + "' " + expectation;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const auto path = (dir / (std::to_string(i) + ".yaml")).string();
            std::ofstream(path) << texts[i];
            command += " '" + path + "'";
        }
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(TextSchema, EveryExportValidates) {
    std::vector<std::string> texts;
    std::mt19937 rng(28);
    for (const auto& factory : {vhfFiveChannelFactory(), uhfSingleChannelFactory()}) {
        const CodeplugImage start = makeDefaultCodeplug(factory);
        texts.push_back(exportText(codeplugFields(start), "default.ppg"));
        for (int n = 0; n < 20; ++n)
            texts.push_back(exportText(codeplugFields(test::randomCodeplug(rng, start)), "r.ppg"));
    }
    EXPECT_EQ(validate("good", texts), 0);
}

TEST_F(TextSchema, MistakesAreRefused) {
    const std::string base =
        exportText(codeplugFields(makeDefaultCodeplug(vhfFiveChannelFactory())), "b.ppg");
    const std::pair<std::vector<std::string>, std::string> mistakes[] = {
        {{"channels", "F1", "Squelch Level"}, "6"},
        {{"channels", "F1", "Squelch Level"}, "0"},
        {{"channels", "F1", "Channel Bandwidth"}, "20"},
        {{"channels", "F1", "Tone System"}, "Corvan"},
        {{"channels", "F1", "Call 1", "Tone 1"}, "3400.1"},
        {{"channels", "F1", "Call 1", "Tone 2"}, "abc"},
        {{"channels", "F1", "Call 1", "Duty"}, "Maybe"},
        {{"channels", "F1", "Receiver Frequency"}, "[154.43]"},
        {{"model options", "Privacy"}, "Of"},
        {{"function switches", "SW-G", "1st Scan Channel"}, "F6"},
        {{"format"}, "tessaly-vi-quorl/2"},
    };
    std::vector<std::string> texts;
    for (const auto& [path, value] : mistakes) {
        std::string text = base;
        test::setValue(text, path, value);
        texts.push_back(text);
    }
    // Keys that are not there, at the top and deep down.
    texts.push_back(base + "colour: red\n");
    std::string typo = base;
    typo.replace(typo.find("Vibrate:"), 8, "Vibrato:");
    texts.push_back(typo);
    EXPECT_EQ(validate("bad", texts), 0);
}

} // namespace
} // namespace quorl::textplug
