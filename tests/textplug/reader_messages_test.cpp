// What the reader says about texts as people and other tools write them: one row
// per case, with the line and column an editor shows.
#include "textplug/text_reader.h"

#include <gtest/gtest.h>

namespace quorl::textplug {
namespace {

struct Case {
    const char* what;
    std::string text;
    std::string expected; // the first problem, or empty when the text reads cleanly
};

std::string firstProblem(const std::string& text) {
    const ParsedText parsed = readCodeplugText(text);
    return parsed.errors.empty() ? std::string() : formatProblem("F.yaml", parsed.errors.front());
}

TEST(ReaderMessages, OneRowPerCase) {
    const std::string deep =
        "nested far deeper than a codeplug text (sections, switches and channels, calls)";
    const Case cases[] = {
        {"blank line of 80 spaces", "identity: {}\n" + std::string(80, ' ') + "\nchannels: {}\n",
         ""},
        {"comment at column 71", "channels:\n" + std::string(70, ' ') + "# new tones\n", ""},
        {"deep value still refused", "a:\n" + std::string(100, ' ') + "b: 1\n",
         "F.yaml:2:65: " + deep},
        // "ä" is two bytes; the key stands at character 24.
        {"columns count characters",
         "channels:\n  F1: {Channel Bandwidth: \"\xC3\xA4\", Tonx: 1}\n",
         "F.yaml:2:32: F1: unknown key \"Tonx\""},
        {"tab indentation", "channels:\n  F1:\n \tSquelch Level: 3\n",
         "F.yaml:3:2: a tab in the indentation; YAML indents with spaces only"},
        {"tab inside a value is text", "channels:\n  F1:\n    Squelch Level: \"3\t\"\n", ""},
        {"CR-only line ends", "identity: {}\rchannels:\r  F9: {}\r",
         "F.yaml:3:3: channels: unknown key \"F9\""},
        {"CRLF line ends", "identity: {}\r\nchannels:\r\n  F9: {}\r\n",
         "F.yaml:3:3: channels: unknown key \"F9\""},
        {"trailing document marker", "identity: {}\nchannels: {}\n---\n# end\n\n", ""},
        {"a second document still refused", "identity: {}\n---\nchannels: {}\n",
         "F.yaml:3:1: a second YAML document; the text holds one codeplug"},
        {"empty section", "identity:\nchannels:\n  F2:\n", ""},
        {"merge key",
         "channels:\n  F1: &f1 {Squelch Level: 2}\n  F2: {<<: *f1, Tone System: User}\n", ""},
        {"merged unknown key", "channels:\n  F1: &f1 {Squelsh: 2}\n  F2: {<<: *f1}\n",
         "F.yaml:2:12: F1: unknown key \"Squelsh\""},
        {"merge of a value", "channels:\n  F2: {<<: 5}\n",
         "F.yaml:2:8: F2: a merge key (<<) takes a map or a list of maps, such as *F1"},
        {"quoted << is a key", "channels:\n  F2: {\"<<\": {}}\n",
         "F.yaml:2:8: F2: unknown key \"<<\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(firstProblem(c.text), c.expected) << c.what;
}

TEST(ReaderMessages, MergedValuesGiveWayToTheMapsOwn) {
    const ParsedText parsed =
        readCodeplugText("format: tessaly-vi-quorl/1\nchannels:\n"
                         "  F1: &f1 {Squelch Level: 2, Tone System: Corvane}\n"
                         "  F2:\n    <<: *f1\n    Squelch Level: 5\n");
    ASSERT_TRUE(parsed.errors.empty()) << formatProblem("F.yaml", parsed.errors.front());
    const auto value = [&](const char* channel, const char* key) {
        const auto it = parsed.values.find(pathKey({"channels", channel, key}));
        return it == parsed.values.end() ? std::string("(none)") : it->second.value;
    };
    EXPECT_EQ(value("F2", "Squelch Level"), "5");
    EXPECT_EQ(value("F2", "Tone System"), "Corvane");
    ASSERT_TRUE(parsed.format);
    EXPECT_EQ(parsed.format->value, "tessaly-vi-quorl/1");
}

} // namespace
} // namespace quorl::textplug
