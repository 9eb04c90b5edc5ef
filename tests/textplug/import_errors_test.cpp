// What import says about text the editors would refuse or adjust, with the line
// and column of the value, and that nothing is produced when anything is refused.
#include "codeplug/channel_block.h"
#include "codeplug/default_codeplug.h"
#include "codeplug/tone_encoding.h"
#include "text_edit.h"
#include "textplug/codeplug_fields.h"
#include "textplug/text_export.h"
#include "textplug/text_import.h"
#include "textplug/text_reader.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace quorl::textplug {
namespace {

using test::removeValue;
using test::setValue;
using test::ValuePlace;

class ImportErrors : public ::testing::Test {
protected:
    CodeplugImage base = makeDefaultCodeplug(vhfFiveChannelFactory());
    std::string text = exportText(codeplugFields(base), "base.ppg");

    ImportResult run(ImportOptions options = {}) { return importCodeplugText(text, base, options); }

    static std::vector<std::string> lines(const std::vector<TextProblem>& list) {
        std::vector<std::string> out;
        for (const auto& p : list)
            out.push_back(formatProblem("F.yaml", p));
        return out;
    }
    static std::string at(ValuePlace p) {
        return "F.yaml:" + std::to_string(p.line) + ":" + std::to_string(p.column) + ": ";
    }
    // The one error of a run, which produced no image.
    std::string onlyError() {
        const ImportResult r = run();
        EXPECT_FALSE(r.image);
        EXPECT_EQ(r.errors.size(), 1u) << ::testing::PrintToString(lines(r.errors));
        return r.errors.empty() ? std::string() : formatProblem("F.yaml", r.errors.front());
    }
};

TEST_F(ImportErrors, ToneOutsideTheDecoderRangeNamesLineColumnAndTheEditorsMessage) {
    setValue(text, {"channels", "F2", "Call 1", "Tone 1"}, "200");
    // Pinned literally once: the export's key order fixes where F2's first tone is.
    EXPECT_EQ(onlyError(), "F.yaml:106:15: F2 Call 1 Tone 1: WARNING: Tone Frequency must be "
                           "within 280Hz to 3400Hz range.");
}

TEST_F(ImportErrors, EveryRefusedValueIsListedInTextOrder) {
    const auto tone = setValue(text, {"channels", "F2", "Call 1", "Tone 2"}, "3400.1");
    const auto freq = setValue(text, {"channels", "F1", "Receiver Frequency"}, "141.9");
    const auto grid = setValue(text, {"channels", "F3", "Receiver Frequency"}, "155.001");
    const auto timer = setValue(text, {"channels", "F4", "Reset Function"}, "Delayed N");
    const ImportResult r = run();
    EXPECT_FALSE(r.image);
    const std::vector<std::string> expected{
        at(freq) + "F1 Receiver Frequency: WARNING: Please enter a number between 142 and 175",
        at(tone) +
            "F2 Call 1 Tone 2: WARNING: Tone Frequency must be within 280Hz to 3400Hz range.",
        at(grid) + "F3 Receiver Frequency: WARNING: Invalid frequency.",
        // The timer box appears with the reset function, so its value is missing.
        "F.yaml:" + std::to_string(timer.line - 6) +
            ":3: F4 Reset Timer: missing (give every value, or import with --partial to keep "
            "the base's)"};
    EXPECT_EQ(lines(r.errors), expected);
}

TEST_F(ImportErrors, AdjustedValuesAreAppliedAndNoted) {
    const auto tone = setValue(text, {"channels", "F1", "Call 1", "Tone 1"}, "1000");
    const auto band = setValue(text, {"channels", "F2", "Receiver Frequency"}, "142.5");
    // The timer line goes right after the reset function.
    {
        const auto fn = setValue(text, {"channels", "F3", "Reset Function"}, "Timeout");
        std::string withTimer;
        int line = 1;
        for (std::size_t i = 0; i < text.size(); ++i) {
            withTimer += text[i];
            if (text[i] == '\n' && ++line == fn.line + 1)
                withTimer += "    Reset Timer: 1.2\n";
        }
        text = withTimer;
    }
    const ImportResult r = run();
    ASSERT_TRUE(r.image) << ::testing::PrintToString(lines(r.errors));
    const auto notes = lines(r.notes);
    ASSERT_EQ(notes.size(), 3u) << ::testing::PrintToString(notes);
    EXPECT_EQ(notes[0], at(tone) + "F1 Call 1 Tone 1: taken as 1006.9");
    EXPECT_EQ(notes[1], at(band) + "F2 Receiver Frequency: Out of Band Frequency Warning: You "
                                   "have programmed a Receiver Frequency outside of the Corvane "
                                   "recommended operational range, which may result in degraded "
                                   "performance.");
    EXPECT_NE(notes[2].find("F3 Reset Timer: taken as 1.0"), std::string::npos); // nearest 0.5 s
    EXPECT_EQ(ConstChannelBlock(*r.image, 0).callTone(1, 1).tenthsHz, 10069);
    EXPECT_EQ(ConstChannelBlock(*r.image, 2).resetTimer(), 2);
    EXPECT_EQ(ConstChannelBlock(*r.image, 2).resetFunction(), 4);
}

TEST_F(ImportErrors, BadTextIsRefusedWithItsPlace) {
    const auto list = setValue(text, {"channels", "F1", "Squelch Level"}, "[1, 2]");
    const auto word = setValue(text, {"channels", "F1", "Call 1", "Tone 2"}, "1e3");
    const auto huge = setValue(text, {"channels", "F2", "Receiver Frequency"},
                               "99999999999999999999999999999999999999");
    const auto item = setValue(text, {"channels", "F2", "Tone System"}, "Corvan");
    const auto squelch = setValue(text, {"channels", "F3", "Squelch Level"}, "6");
    const ImportResult r = run();
    EXPECT_FALSE(r.image);
    const std::vector<std::string> expected{
        at({list.line, 5}) + "F1 Squelch Level: expected a single value, not a list or map",
        at(word) + "F1 Call 1 Tone 2: not a number (digits with at most one decimal point)",
        at(huge) + "F2 Receiver Frequency: longer than the box takes (11 characters)",
        at(item) + "F2 Tone System: not an item of the list: \"Corvane\", \"GE\", \"Plectron\", "
                   "\"User\", \"Fast Plectron\"",
        at(squelch) + "F3 Squelch Level: expected 1 (Tight) to 5 (Loose)"};
    EXPECT_EQ(lines(r.errors), expected);
}

TEST_F(ImportErrors, UnknownKeysMissingSectionsAndMissingValues) {
    text += "  F6:\n    Receiver Frequency: 155\n";
    removeValue(text, {"channels", "F5", "Squelch Level"});
    const auto from = text.find("function switches:");
    text.erase(from, text.find("channels:") - from);
    const ImportResult r = run();
    EXPECT_FALSE(r.image);
    const auto got = lines(r.errors);
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got[0], "F.yaml:1:1: function switches: missing section");
    const auto said = [&got](const std::string& part) {
        return std::ranges::any_of(
            got, [&](const std::string& l) { return l.find(part) != std::string::npos; });
    };
    EXPECT_TRUE(said(": channels: unknown key \"F6\"")) << ::testing::PrintToString(got);
    EXPECT_TRUE(said("F5 Squelch Level: missing")) << ::testing::PrintToString(got);
}

TEST_F(ImportErrors, PartialKeepsTheBasesValueWhereTheTextGivesNone) {
    removeValue(text, {"channels", "F1", "Call 1", "Tone 1"});
    setValue(text, {"channels", "F1", "Call 1", "Tone 2"}, "903.2");
    EXPECT_FALSE(run().image);
    const ImportResult r = run({.partial = true});
    ASSERT_TRUE(r.image) << ::testing::PrintToString(lines(r.errors));
    EXPECT_EQ(ConstChannelBlock(*r.image, 0).callTone(1, 1).tenthsHz, 3490);
    EXPECT_EQ(ConstChannelBlock(*r.image, 0).callTone(1, 2).tenthsHz, 9032);
}

TEST_F(ImportErrors, TheDutyRulesOfTheChannelTab) {
    // Without a switch that allows it, duty cannot be turned off.
    auto off = setValue(text, {"channels", "F1", "Call 1", "Duty"}, "Off");
    EXPECT_EQ(onlyError(), at(off) + "F1 Call 1 Duty: On/Off Duty : Disabled");

    // With SW-A allowing it on F1, STD still needs Call 1 on duty.
    setValue(text, {"function switches", "SW-A", "Enable ON/OFF Duty"}, "On");
    EXPECT_EQ(onlyError(), at(off) + "F1 Call 1 Duty: WARNING: At least one call address must be "
                                     "configured as ON Duty.");

    // Under R468 another call on duty lets Call 1 go off, whatever the order.
    setValue(text, {"channels", "F3", "Call 1", "Duty"}, "Off");
    setValue(text, {"function switches", "SW-C", "Enable ON/OFF Duty"}, "On");
    off = setValue(text, {"channels", "F1", "Call 1", "Duty"}, "On");
    const ImportResult r = run();
    ASSERT_TRUE(r.image) << ::testing::PrintToString(lines(r.errors));
    EXPECT_FALSE(CallFlags::onDuty(ConstChannelBlock(*r.image, 2).callFlags(1)));
    EXPECT_TRUE(CallFlags::onDuty(ConstChannelBlock(*r.image, 2).callFlags(2)));
}

TEST_F(ImportErrors, TheSwitchModeRules) {
    const auto ptl = setValue(text, {"function switches", "SW-F", "Push To Listen"}, "On");
    const auto scan = setValue(text, {"function switches", "SW-A", "Mode"}, "Selective Call F1");
    (void)scan;
    EXPECT_EQ(onlyError(),
              at(ptl) + "SW-F Push To Listen: the control is disabled in mode Monitor F1");

    // Push To Listen on a selective call switch leaves "Vibrate" as the only alert.
    setValue(text, {"function switches", "SW-F", "Push To Listen"}, "Off");
    setValue(text, {"function switches", "SW-A", "Push To Listen"}, "On");
    const auto alert = setValue(text, {"function switches", "SW-A", "Alert Type"}, "Tone");
    EXPECT_EQ(onlyError(), at(alert) + "SW-A Alert Type: not an item of the list: \"Vibrate\"");
    setValue(text, {"function switches", "SW-A", "Alert Type"}, "Vibrate");
    const ImportResult r = run();
    ASSERT_TRUE(r.image) << ::testing::PrintToString(lines(r.errors));
    EXPECT_EQ(r.image->at(0x0282) & 0x70, 0x10);
    EXPECT_EQ(r.image->at(0x0285) & 0x02, 0x02);
}

TEST_F(ImportErrors, RowsAndTonesTheCodingOptionDoesNotLetBeTyped) {
    // F3 is R468: Call 2 tone 1 is a greyed copy of Call 1 tone 1.
    const auto copy = setValue(text, {"channels", "F3", "Call 2", "Tone 1"}, "433.7");
    EXPECT_EQ(onlyError(), at(copy) + "F3 Call 2 Tone 1: greyed: it follows Call 1 Tone 1 under "
                                      "R468, which is 410.8");
    // Changing the source changes the copy: the text may give both.
    setValue(text, {"channels", "F3", "Call 1", "Tone 1"}, "433.7");
    const ImportResult r = run();
    ASSERT_TRUE(r.image) << ::testing::PrintToString(lines(r.errors));
    EXPECT_EQ(ConstChannelBlock(*r.image, 2).callTone(2, 1).tenthsHz, 4337);

    // Left as exported (and marked so), the copy follows its changed source, noted.
    EXPECT_NE(
        exportText(codeplugFields(base), "b.ppg").find("Tone 1: 410.8  # follows Call 1 Tone 1"),
        std::string::npos);
    const auto kept = setValue(text, {"channels", "F3", "Call 2", "Tone 1"}, "410.8");
    const ImportResult followed = run();
    ASSERT_TRUE(followed.image) << ::testing::PrintToString(lines(followed.errors));
    EXPECT_EQ(ConstChannelBlock(*followed.image, 2).callTone(2, 1).tenthsHz, 4337);
    EXPECT_EQ(lines(followed.notes).front(),
              at(kept) + "F3 Call 2 Tone 1: greyed: it follows Call 1 Tone 1 under R468; taken "
                         "as 433.7");

    // F1 is STD: one call address, no Call 3.
    std::string withCall3 = text;
    const auto pos = withCall3.find("  F2:\n");
    withCall3.insert(pos, "    Call 3:\n      Tone 1: 330.5\n");
    text = withCall3;
    const std::string err = onlyError();
    EXPECT_NE(err.find(": F1 Call 3: not used by coding option STD"), std::string::npos) << err;
}

// An import gives a call its two tones together: a swap goes in, two tones that
// would end up the same (a new tone system's snap included) do not.
TEST_F(ImportErrors, ACallsTwoTonesGoInTogether) {
    const auto tones = [](const CodeplugImage& image) {
        return std::pair{ConstChannelBlock(image, 0).callTone(1, 1).tenthsHz,
                         ConstChannelBlock(image, 0).callTone(1, 2).tenthsHz};
    };
    const auto [a, b] = tones(base);
    setValue(text, {"channels", "F1", "Call 1", "Tone 1"}, formatTone(b));
    setValue(text, {"channels", "F1", "Call 1", "Tone 2"}, formatTone(a));
    const ImportResult swapped = run();
    ASSERT_TRUE(swapped.image) << ::testing::PrintToString(lines(swapped.errors));
    EXPECT_EQ(tones(*swapped.image), std::pair(b, a));

    // GE's top entry, 967.5, takes both tones of a call above it.
    ChannelBlock(base, 0).setCallTone(1, 1, encodeTone(10069));
    ChannelBlock(base, 0).setCallTone(1, 2, encodeTone(10632));
    text = exportText(codeplugFields(base), "base.ppg");
    setValue(text, {"channels", "F1", "Tone System"}, "GE");
    const ImportResult snapped = run();
    EXPECT_FALSE(snapped.image);
    ASSERT_FALSE(snapped.errors.empty());
    EXPECT_NE(lines(snapped.errors).back().find("Invalid tone spacing"), std::string::npos)
        << ::testing::PrintToString(lines(snapped.errors));
}

TEST_F(ImportErrors, IdentityComesFromTheBase) {
    const auto serial = setValue(text, {"identity", "Serial Number"}, "X123");
    const ImportResult r = run();
    ASSERT_TRUE(r.image);
    EXPECT_TRUE(*r.image == base);
    ASSERT_EQ(r.notes.size(), 1u);
    EXPECT_EQ(formatProblem("F.yaml", r.notes[0]),
              at(serial) + "Serial Number: identity is taken from the base codeplug, which holds "
                           "\"7TV0000001\"");
}

TEST_F(ImportErrors, TextThatIsNoCodeplugText) {
    const auto first = [](const std::string& t) {
        const ImportResult r = importCodeplugText(t, makeDefaultCodeplug(vhfFiveChannelFactory()));
        EXPECT_FALSE(r.image);
        return r.errors.empty() ? std::string() : formatProblem("F.yaml", r.errors.front());
    };
    EXPECT_EQ(first("identity: [\n"), "F.yaml:2:1: not YAML: end of sequence flow not found");
    EXPECT_EQ(first("- 1\n- 2\n"),
              "F.yaml:1:1: not a codeplug text: expected the sections identity, model options, "
              "function switches and channels");
    EXPECT_EQ(first("a: 1\n---\nb: 2\n"),
              "F.yaml:3:1: a second YAML document; the text holds one codeplug");
    EXPECT_EQ(first("identity: {}\nidentity: {}\n"), "F.yaml:2:1: identity: given twice");
    // The YAML library would report empty documents at a stray comma for ever.
    EXPECT_EQ(first(","), "F.yaml:1:1: not YAML: a ',' outside [ ] or { }");
    EXPECT_EQ(first("identity: {}\n---\n,\n"), "F.yaml:3:1: not YAML: a ',' outside [ ] or { }");
    EXPECT_EQ(first(std::string(200, '[') + std::string(200, ']')),
              "F.yaml:1:33: nested far deeper than a codeplug text (sections, switches and "
              "channels, calls)");
    EXPECT_EQ(first("a:\n" + std::string(100, ' ') + "b: 1\n"),
              "F.yaml:2:65: nested far deeper than a codeplug text (sections, switches and "
              "channels, calls)");
    EXPECT_EQ(first(std::string(kMaxTextBytes + 1, '#')),
              "F.yaml:1:1: the file is larger than 1 MB; a codeplug text is a few kilobytes");
    EXPECT_EQ(first(""), "F.yaml:1:1: not a codeplug text: expected the sections identity, "
                         "model options, function switches and channels");

    // One map of many unknown keys, named from every call of every channel through
    // aliases: the list stops instead of growing with each reference.
    std::string bomb = "x: &m {";
    for (int i = 0; i < 5000; ++i)
        bomb.append(1, 'k').append(std::to_string(i)).append(": 1, ");
    bomb += "}\nchannels:\n";
    for (int ch = 1; ch <= 5; ++ch) {
        bomb.append("  F").append(std::to_string(ch)).append(":\n");
        for (int call = 1; call <= 10; ++call)
            bomb += "    Call " + std::to_string(call) + ": *m\n";
    }
    const ParsedText parsed = readCodeplugText(bomb);
    EXPECT_EQ(parsed.errors.size(), 100u);
    EXPECT_EQ(parsed.errors.back().message,
              "too many errors; the rest of the text was not checked");
}

} // namespace
} // namespace quorl::textplug
