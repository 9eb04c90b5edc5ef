// export --update: a text a technician commented is brought up to a changed
// codeplug with every byte outside the changed values kept.
#include "cli/text_commands.h"
#include "codeplug/default_codeplug.h"
#include "codeplug/ppg_file.h"
#include "tests/support/test_files.h"
#include "text_edit.h"
#include "textplug/codeplug_fields.h"
#include "textplug/text_diff.h"
#include "textplug/text_export.h"
#include "textplug/text_import.h"
#include "textplug/text_update.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace quorl::textplug {
namespace {

class TextUpdate : public ::testing::Test {
protected:
    CodeplugImage base = makeDefaultCodeplug(vhfFiveChannelFactory());
    std::string commented = withComments(exportText(codeplugFields(base), "base.ppg"));

    // What people add: a note above a channel, one after a value, blank lines, a
    // quoted value.
    static std::string withComments(std::string text) {
        text.insert(text.find("  F2:\n"), "\n  # changed for the county's new tones, 2026-03\n");
        const auto tone = text.find("Tone 2: 928.1") + 13;
        text.insert(tone, "   # ask Ruth before changing");
        const auto squelch = text.find("Squelch Level: 3", text.find("  F4:"));
        text.replace(squelch, 16, "Squelch Level: \"3\"  # quiet site");
        return text;
    }
    static void replaceFirst(std::string& text, const std::string& from, const std::string& to) {
        const auto at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text = text.substr(0, at) + to + text.substr(at + from.size());
    }
    static std::string withCrLf(const std::string& text) {
        std::string out;
        for (const char c : text) {
            if (c == '\n')
                out.push_back('\r');
            out.push_back(c);
        }
        return out;
    }
    CodeplugImage patched(const std::string& patch) {
        const ImportResult r = importCodeplugText(patch, base, ImportOptions{true});
        EXPECT_TRUE(r.image) << (r.errors.empty() ? "" : r.errors.front().message);
        return r.image.value_or(base);
    }
    std::string updated(const std::string& text, const CodeplugImage& image) {
        const UpdateResult r = updateText(text, codeplugFields(image));
        EXPECT_TRUE(r.errors.empty()) << formatProblem("F.yaml", r.errors.front());
        return r.text.value_or("");
    }
};

TEST_F(TextUpdate, OnlyTheChangedValuesChange) {
    EXPECT_EQ(updated(commented, base), commented);

    const CodeplugImage changed = patched("channels:\n  F2:\n    Call 1: {Tone 1: 349.0, Tone 2: "
                                          "1006.9}\n  F4: {Squelch Level: 5}\n");
    std::string expected = commented;
    test::setValue(expected, {"channels", "F2", "Call 1", "Tone 1"}, "349.0");
    replaceFirst(expected, "928.1", "1006.9");
    replaceFirst(expected, "\"3\"  # quiet site", "5  # quiet site");
    EXPECT_EQ(updated(commented, changed), expected);

    EXPECT_EQ(updated(withCrLf(commented), changed), withCrLf(expected));
}

TEST_F(TextUpdate, EntriesTheCodingOptionBringsOrDropsFollowIt) {
    // F1 from STD (one call) to R468 (two calls and two group calls), F3 back.
    const CodeplugImage changed =
        patched("channels:\n  F1: {Coding Option: R468}\n  F3: {Coding Option: STD}\n");
    const std::string text = updated(commented, changed);
    EXPECT_EQ(text, updated(text, changed)) << "a second update changes nothing";
    EXPECT_TRUE(diffFields(textFields(readCodeplugText(text)), codeplugFields(changed)).empty());
    for (const char* kept :
         {"\n  # changed for the county's new tones, 2026-03\n",
          "Tone 2: 928.1   # ask Ruth before changing\n", "Squelch Level: \"3\"  # quiet site\n"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept;
    // F1's new call comes after its first, marked as a copy where it is one.
    EXPECT_NE(text.find("    Call 2:\n      Tone 1: 349.0  # follows Call 1 Tone 1\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("Group Call", text.find("  F3:")),
              text.find("Group Call", text.find("  F5:")))
        << "F3's group calls are gone";
}

TEST_F(TextUpdate, TheCommandRewritesTheFileInPlace) {
    test::TempDir dir;
    const auto ppg = (dir / "c.ppg").string(), yaml = (dir / "c.yaml").string();
    ASSERT_TRUE(writePpgFile(ppg, patched("channels:\n  F4: {Squelch Level: 5}\n")));
    std::ofstream(yaml) << commented;
    std::ostringstream err;
    EXPECT_EQ(cli::runExportUpdate(ppg, yaml, err), 0) << err.str();
    const std::string text = test::fileText(yaml);
    EXPECT_NE(text.find("Squelch Level: 5  # quiet site\n"), std::string::npos) << text;

    // A text that does not read is left as it is.
    std::ofstream(yaml) << "channels: [\n";
    EXPECT_EQ(cli::runExportUpdate(ppg, yaml, err), 1);
    EXPECT_EQ(test::fileText(yaml), "channels: [\n");
}

} // namespace
} // namespace quorl::textplug
