// Small texts applied with --partial, the format key, and what a text that leaves
// out whole channels is told.
#include "codeplug/default_codeplug.h"
#include "text_edit.h"
#include "textplug/codeplug_fields.h"
#include "textplug/text_diff.h"
#include "textplug/text_export.h"
#include "textplug/text_import.h"

#include <gtest/gtest.h>

namespace quorl::textplug {
namespace {

class LightPatch : public ::testing::Test {
protected:
    CodeplugImage base = makeDefaultCodeplug(vhfFiveChannelFactory());

    // "field: a -> b" for every value the patch changed.
    std::vector<std::string> changes(const std::string& patch) {
        const ImportResult r = importCodeplugText(patch, base, ImportOptions{true});
        std::vector<std::string> out;
        for (const auto& e : r.errors)
            out.push_back("error " + formatProblem("F.yaml", e));
        if (!r.image)
            return out;
        for (const auto& d : diffFields(codeplugFields(base), codeplugFields(*r.image)))
            out.push_back(d.field + ": " + d.a.value_or("-") + " -> " + d.b.value_or("-"));
        return out;
    }
    std::vector<std::string> lines(const std::vector<TextProblem>& list) {
        std::vector<std::string> out;
        for (const auto& p : list)
            out.push_back(formatProblem("F.yaml", p));
        return out;
    }
};

TEST_F(LightPatch, AnySubsetAppliesAndChangesOnlyItsValues) {
    using V = std::vector<std::string>;
    EXPECT_EQ(changes("channels:\n  F2:\n    Squelch Level: 4\n"), V{"F2 Squelch Level: 3 -> 4"});
    EXPECT_EQ(changes("channels:\n  F1:\n    Call 1:\n      Alert: Music 2\n"),
              V{"F1 Call 1 Alert: Standard -> Music 2"});
    EXPECT_EQ(changes("model options:\n  Privacy: On\n"), V{"Privacy: Off -> On"});
    // An empty section reads as one with nothing in it, at the top as below.
    EXPECT_EQ(
        changes("identity:\nfunction switches:\nchannels:\n  F3:\n  F4: {Squelch Level: 1}\n"),
        V{"F4 Squelch Level: 3 -> 1"});
    EXPECT_EQ(changes("identity: {}\nchannels:\n  F1: &quiet {Squelch Level: 5}\n  F5: *quiet\n"),
              (V{"F1 Squelch Level: 3 -> 5", "F5 Squelch Level: 3 -> 5"}));
    EXPECT_EQ(changes("channels:\n  F1: &a {Squelch Level: 5, Channel Bandwidth: \"12.5\"}\n"
                      "  F2: {<<: *a, Squelch Level: 2}\n"),
              (V{"F1 Channel Bandwidth: 25 -> 12.5", "F1 Squelch Level: 3 -> 5",
                 "F2 Channel Bandwidth: 25 -> 12.5", "F2 Squelch Level: 3 -> 2"}));
}

TEST_F(LightPatch, AWholeChannelLeftOutIsOneMessage) {
    std::string text = exportText(codeplugFields(base), "base.ppg");
    text.erase(text.find("  F3:\n"));
    text += "  F3:\n    Squelch Level: 3\n";
    const ImportResult r = importCodeplugText(text, base);
    EXPECT_FALSE(r.image);
    const auto lineOf = [&](const std::string& line) {
        return std::to_string(std::count(text.begin(), text.begin() + text.find(line), '\n') + 1);
    };
    const std::string missing =
        ": missing (give all of it, or import with --partial to keep the base's)";
    // F4 and F5, and each call of F3, are named once; F3's own values one by one.
    const auto list = lines(r.errors);
    ASSERT_EQ(list.size(), 13u) << ::testing::PrintToString(list);
    EXPECT_EQ(list[0], "F.yaml:" + lineOf("channels:\n") + ":1: F4" + missing);
    EXPECT_EQ(list[1], "F.yaml:" + lineOf("channels:\n") + ":1: F5" + missing);
    EXPECT_EQ(list[2], "F.yaml:" + lineOf("  F3:\n") +
                           ":3: F3 Receiver Frequency: missing "
                           "(give every value, or import with "
                           "--partial to keep the base's)");
    EXPECT_EQ(list[9], "F.yaml:" + lineOf("  F3:\n") + ":3: F3 Call 1" + missing);
    EXPECT_EQ(list[12], "F.yaml:" + lineOf("  F3:\n") + ":3: F3 Group Call 2" + missing);
}

TEST_F(LightPatch, TheFormatKeyIsJudged) {
    const std::string text = exportText(codeplugFields(base), "base.ppg");
    const auto withFormat = [&](const std::string& value) {
        std::string t = text;
        if (value.empty())
            test::removeValue(t, {"format"});
        else
            test::setValue(t, {"format"}, value);
        return importCodeplugText(t, base);
    };
    EXPECT_TRUE(withFormat("tessaly-vi-quorl/1").notes.empty());
    const ImportResult old = withFormat("");
    EXPECT_TRUE(old.image);
    EXPECT_EQ(lines(old.notes),
              std::vector<std::string>{"F.yaml:1:1: format: no format key; read as "
                                       "tessaly-vi-quorl/1 (texts exported before the key was "
                                       "written)"});
    const ImportResult newer = withFormat("tessaly-vi-quorl/2");
    EXPECT_FALSE(newer.image);
    EXPECT_EQ(lines(newer.errors),
              std::vector<std::string>{"F.yaml:5:9: format: \"tessaly-vi-quorl/2\": written by a "
                                       "newer program; this one reads tessaly-vi-quorl/1"});
    for (const char* other : {"qdmr/1", "tessaly-vi-quorl/1.5", "tessaly-vi-quorl/0", "\"\""}) {
        const ImportResult r = withFormat(other);
        EXPECT_FALSE(r.image) << other;
        ASSERT_EQ(r.errors.size(), 1u) << other;
        EXPECT_TRUE(r.errors[0].message.ends_with(
            "not a codeplug text format; expected tessaly-vi-quorl/1"))
            << other;
    }
}

} // namespace
} // namespace quorl::textplug
