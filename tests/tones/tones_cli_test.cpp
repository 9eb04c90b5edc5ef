// `quorl tones page` and `quorl tones find` together: every call of every fixture
// codeplug is paged into a WAV file and found again by name.
#include "cli/tones_commands.h"
#include "codeplug/channel_block.h"
#include "codeplug/coding_options.h"
#include "codeplug/default_codeplug.h"
#include "codeplug/general_block.h"
#include "codeplug/ppg_file.h"

#include "tests/support/program_run.h"
#include "tests/support/test_files.h"
#include "tests/support/wav_writer.h"
#include "textplug/random_codeplug.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace quorl::cli {
namespace {

namespace fs = std::filesystem;

struct Entry {
    int channel;
    bool group;
    int index;
    auto operator<=>(const Entry&) const = default;
};

// The calls a `tones find --json` report names for its only page.
std::set<Entry> namedCalls(const std::string& json) {
    std::set<Entry> out;
    static const std::regex call("[{]\"channel\":\"F([0-9])\",\"(call|group)\":([0-9]+)[}]");
    for (auto it = std::sregex_iterator(json.begin(), json.end(), call);
         it != std::sregex_iterator(); ++it)
        out.insert({std::stoi((*it)[1]) - 1, (*it)[2] == "group", std::stoi((*it)[3])});
    return out;
}

std::vector<StoredTone> tonesOf(const ConstChannelBlock& b, const Entry& e) {
    if (e.group)
        return {b.groupTone(e.index)};
    return {b.callTone(e.index, 1), b.callTone(e.index, 2)};
}

// Every used entry with its tones set, and for each the entries with the very same
// stored tones (a page for one alerts them all).
std::map<Entry, std::set<Entry>> pageableEntries(const CodeplugImage& image) {
    std::vector<std::pair<Entry, std::vector<StoredTone>>> all;
    for (int ch = 0; ch < GeneralBlock(image).channelCount() && ch < 5; ++ch) {
        const ConstChannelBlock b(image, ch);
        const CodingOption& option = codingOption(b.codingOption());
        for (int g = 0; g < 2; ++g)
            for (int i = 1; i <= (g ? option.groups : option.calls); ++i) {
                const Entry e{ch, g == 1, i};
                const auto t = tonesOf(b, e);
                bool complete = true;
                for (const StoredTone& s : t)
                    complete = complete && s.tenthsHz != 0;
                if (complete)
                    all.push_back({e, t});
            }
    }
    std::map<Entry, std::set<Entry>> out;
    for (const auto& [e, t] : all)
        for (const auto& [other, u] : all)
            if (t.size() == u.size() &&
                std::equal(t.begin(), t.end(), u.begin(),
                           [](auto& a, auto& b) { return a.tenthsHz == b.tenthsHz; }))
                out[e].insert(other);
    return out;
}

// Pages every call and group call of the codeplug file into a WAV file at one of
// the four rates in turn and expects `tones find` to name it (and any entry with
// the very same tones).
void roundTrip(const fs::path& ppg, const test::TempDir& dir) {
    static const int rates[] = {8000, 16000, 44100, 48000};
    static int n = 0;
    const CodeplugImage image = readPpgFile(ppg).image;
    const auto entries = pageableEntries(image);
    ASSERT_FALSE(entries.empty()) << ppg;
    for (const auto& [e, alike] : entries) {
        TonePageOptions o;
        o.codeplug = ppg.string();
        o.channel = "F" + std::to_string(e.channel + 1);
        (e.group ? o.group : o.call) = e.index;
        o.rate = rates[n++ % 4];
        o.timing.longSeconds = 3.0; // long enough to be no A tone, and quick
        o.output = (dir / "page.wav").string();
        std::ostringstream out, err;
        ASSERT_EQ(runTonesPage(o, out, err), 0) << err.str();
        std::ostringstream report, findErr;
        ASSERT_EQ(runTonesFind(o.output, o.codeplug, true, report, findErr), 0);
        EXPECT_EQ(namedCalls(report.str()), alike)
            << ppg.filename() << ' ' << o.channel << (e.group ? " group " : " call ") << e.index
            << '\n'
            << report.str();
    }
}

TEST(TonesCommands, EveryCallOfEveryFixtureCodeplugIsFoundByName) {
    test::TempDir dir;
    int fixtures = 0;
    for (const auto& f : fs::directory_iterator(fs::path(QUORL_TEST_STAGE_DATA_DIR) / "Lib"))
        if (f.path().extension() == ".ppg") {
            roundTrip(f.path(), dir);
            ++fixtures;
        }
    EXPECT_GE(fixtures, 2);
}

TEST(TonesCommands, EveryCallOfCodeplugsEditedAtRandomIsFoundByName) {
    // Every coding option, tone system and table, made through the editors' rules.
    test::TempDir dir;
    std::mt19937 rng(26);
    const CodeplugImage start = makeDefaultCodeplug(vhfFiveChannelFactory());
    for (int i = 0; i < 4; ++i) {
        const fs::path ppg = dir / ("random" + std::to_string(i) + ".ppg");
        test::writeAll(ppg, test::ppgRecord(test::randomCodeplug(rng, start)));
        roundTrip(ppg, dir);
    }
}

TEST(TonesCommands, TonesByHandWithTimingOptions) {
    test::TempDir dir;
    TonePageOptions o;
    o.tones = {1000.0, 1500.0};
    o.timing.aSeconds = 0.5;
    o.timing.bSeconds = 1.5;
    o.timing.gapMs = 200;
    o.timing.repeat = 2;
    o.timing.levelDbfs = -12;
    o.rate = 8000;
    o.output = (dir / "p.wav").string();
    std::ostringstream out, err;
    ASSERT_EQ(runTonesPage(o, out, err), 0) << err.str();
    // 2 x (0.5 + 0.2 + 1.5) + 0.2 s = 4.6 s of 16-bit samples after a 44-byte header.
    EXPECT_EQ(fs::file_size(o.output), 44u + 2u * 36800u);
    std::ostringstream report, findErr;
    ASSERT_EQ(runTonesFind(o.output, {}, false, report, findErr), 0);
    // Each tone rises and falls over 5 ms: its half-level points lie 2.5 ms inside.
    EXPECT_EQ(report.str(), "Tones: 4\n"
                            "  0.003 s  0.495 s  1000.0 Hz  -12.0 dBFS  Corvane 161  Plectron 011\n"
                            "  0.703 s  1.495 s  1500.0 Hz  -12.0 dBFS  Corvane 171\n"
                            "  2.402 s  0.495 s  1000.0 Hz  -12.0 dBFS  Corvane 161  Plectron 011\n"
                            "  3.103 s  1.495 s  1500.0 Hz  -12.0 dBFS  Corvane 171\n"
                            "Pages: 2\n"
                            "  0.003 s  1000.0 Hz then 1500.0 Hz\n"
                            "  2.402 s  1000.0 Hz then 1500.0 Hz\n");
}

TEST(TonesCommands, AVoiceMessageFollowsAtThePagesRate) {
    test::TempDir dir;
    test::WavLayout voice; // 8 kHz, 16-bit mono
    voice.samples = 4000;  // 0.5 s
    test::writeWav(dir / "voice.wav", voice);
    TonePageOptions o;
    o.tones = {1000.0};
    o.timing.longSeconds = 1.0;
    o.rate = 16000;
    o.thenWav = (dir / "voice.wav").string();
    o.output = (dir / "p.wav").string();
    std::ostringstream out, err;
    ASSERT_EQ(runTonesPage(o, out, err), 0) << err.str();
    // 1 s of tone and 0.5 s of voice at 16 kHz: 24,000 samples, give or take the
    // converter's last few.
    EXPECT_NEAR(static_cast<double>(fs::file_size(o.output) - 44) / 2, 24000.0, 40.0);
    o.thenWav = (dir / "missing.wav").string();
    EXPECT_EQ(runTonesPage(o, out, err), 1);
    EXPECT_EQ(err.str(), "Cannot read the voice message\n  " + o.thenWav + ": no such file\n");
}

TEST(TonesCommands, RecordingsThatCannotBeReadAreNamedWithTheReason) {
    test::TempDir dir;
    test::WavLayout notWave;
    notWave.waveTag = "WAVX";
    test::writeWav(dir / "notwave.wav", notWave);
    std::ofstream(dir / "text.wav") << "hello, this is no recording\n";
    test::writeAll(dir / "empty.wav", {});
    fs::create_directory(dir / "folder.wav");
    const struct {
        const char* file;
        const char* problem;
    } cases[] = {
        {"missing.wav", "no such file"},         {"folder.wav", "is a folder"},
        {"notwave.wav", "not a RIFF WAVE file"}, {"text.wav", "not a RIFF WAVE file"},
        {"empty.wav", "not a RIFF WAVE file"},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(runTonesFind((dir / c.file).string(), {}, false, out, err), 1) << c.file;
        EXPECT_EQ(err.str(), "Cannot read the recording\n  " + (dir / c.file).string() + ": " +
                                 c.problem + "\n");
        EXPECT_EQ(out.str(), "");
    }
}

TEST(TonesCommands, PlayingWithoutASoundOutputSaysSo) {
    const std::string bin = QUORL_TEST_BIN_DIR;
    if (!fs::exists(bin + "/quorl-tone-player"))
        GTEST_SKIP() << "built without the Qt programs";
    if (test::runProgram({bin + "/quorl-tone-player", "--check"}).exitCode == 0)
        GTEST_SKIP() << "this computer has a sound output";
    const auto r = test::runProgram({bin + "/quorl", "tones", "play", "--tones", "1000,1500"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              "No sound output device is available; the page cannot be played on this computer.\n");
}

} // namespace
} // namespace quorl::cli
