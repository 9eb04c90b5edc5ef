// Several cradles at once: `quorl write --all` and `quorl read --all` against three
// simulators, one of them faulty, with the programming log.
#include "cli/fleet_commands.h"
#include "cli/pager_commands.h"

#include "audio/custom_audio_slots.h"
#include "audio/voice_build.h"
#include "codeplug/channel_block.h"
#include "codeplug/checksums.h"
#include "codeplug/ppg_file.h"
#include "link/link_texts.h"
#include "link/operation_texts.h"
#include "link/page_file.h"
#include "link/programming_log.h"
#include "link/sha256.h"
#include "tests/support/folder_watch.h"
#include "tests/support/link_test_support.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace quorl::cli {
namespace {

enum class Fault { WrongModel, BlockRefused, HangUp };

struct FleetCase {
    Fault fault;
    std::string_view message;
};

void setSerial(sim::PagerSimulator& pager, const std::string& serial) {
    pager.withModel([&](sim::PagerModel& m) {
        for (std::size_t k = 0; k < 10; ++k)
            m.codeplug().set(static_cast<Address>(0x0110 + k),
                             k < serial.size() ? static_cast<std::uint8_t>(serial[k]) : 0xFF);
    });
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        out.push_back(l);
    return out;
}

// The pages of `wav`'s stream for `slot`, built on its own in `folder`.
std::vector<std::uint8_t> referencePages(const std::filesystem::path& folder, int slot,
                                         const std::filesystem::path& wav) {
    VoiceBuild voice(folder); // its stream lives as long as it does
    const auto stream = voice.build(slot, wav.string());
    if (!stream)
        return {};
    std::ifstream in(*stream, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    return makePages(bytes, kSlotFirstSector[static_cast<std::size_t>(slot)]);
}

// Whether the first sector of `slot` on `pager` holds the first of `pages`.
bool holdsPages(sim::PagerSimulator& pager, int slot, const std::vector<std::uint8_t>& pages) {
    bool same = false;
    pager.withModel([&](sim::PagerModel& m) {
        const auto held = m.sector(kSlotFirstSector[static_cast<std::size_t>(slot)]);
        same = pages.size() >= held.size() && std::equal(held.begin(), held.end(), pages.begin());
    });
    return same;
}

class FleetTest : public ::testing::TestWithParam<FleetCase> {
protected:
    FleetTest() : first(test::pacedLine(), 0.02, 0.2) {}

    // Two more simulators beside the first, registered as cradles too.
    void addCradles(sim::SimulatorOptions faulty) {
        for (auto options : {test::pacedLine(), faulty}) {
            others.push_back(std::make_unique<sim::PagerSimulator>(
                sim::PagerModel(test::defaultTestCodeplug()), options));
            std::string error;
            ASSERT_TRUE(first.addBeside(*others.back(), error)) << error;
        }
        setSerial(first.sim(), "SN0001");
        setSerial(*others[0], "SN0002");
        setSerial(*others[1], "SN0003");
    }

    test::SimulatedCradle first;
    std::vector<std::unique_ptr<sim::PagerSimulator>> others;
    test::TempDir dir;
};

TEST_P(FleetTest, TheGoodPagersEndByteExactAndTheFaultyOneWithItsMessage) {
    const FleetCase& c = GetParam();
    sim::SimulatorOptions faulty = test::pacedLine();
    if (c.fault == Fault::BlockRefused) {
        sim::FaultRule nak;
        ASSERT_TRUE(sim::parseFaultRule(sim::FaultKind::Nak, "01@0300:99", nak));
        faulty.faults.push_back(nak);
    }
    if (c.fault == Fault::HangUp)
        faulty.hangUpAfter = 15; // in the middle of the blocks
    addCradles(faulty);
    if (c.fault == Fault::WrongModel)
        others[1]->withModel(
            [](sim::PagerModel& m) { m.identity().modelNumber = std::string("OTHERMODEL12"); });

    // A changed codeplug, so a pager that was not written would not match.
    CodeplugImage image = test::defaultTestCodeplug();
    ChannelBlock(image, 0).setSquelchLevel(4);
    const auto file = (dir.path() / "brigade.ppg").string();
    ASSERT_TRUE(writePpgFile(file, image));
    const auto log = (dir.path() / "programming.csv").string();

    std::ostringstream out, err;
    EXPECT_EQ(runFleetWrite(file, true, {log, false}, out, err), 1) << err.str();

    CodeplugImage expected = image;
    updateChecksums(expected);
    refreshModelOptionsMirror(expected);
    auto writtenExactly = [&](sim::PagerSimulator& pager) {
        bool same = true;
        pager.withModel([&](sim::PagerModel& m) {
            for (Address a = 0x0200; a < 0x0700; ++a)
                same = same && m.codeplug().at(a) == expected.at(a);
            for (Address a = 0x3D00; a < 0x3D80; ++a)
                same = same && m.codeplug().at(a) == expected.at(a);
        });
        return same;
    };
    EXPECT_TRUE(writtenExactly(first.sim()));
    EXPECT_TRUE(writtenExactly(*others[0]));
    EXPECT_FALSE(writtenExactly(*others[1]));

    // The summary: one line per pager, in the cradles' order.
    const auto summary = lines(out.str());
    ASSERT_EQ(summary.size(), 3u) << out.str();
    std::string message(c.message);
    for (auto pos = message.find("\r\n"); pos != std::string::npos; pos = message.find("\r\n"))
        message.replace(pos, 2, (pos > 0 && message[pos - 1] == ' ') ? 0 : 1, ' ');
    while (message.back() == ' ')
        message.pop_back();
    std::map<std::string, std::string> byPort;
    for (const auto& l : summary)
        byPort[l.substr(0, l.find('\t'))] = l;
    EXPECT_EQ(byPort[first.device()],
              first.device() + "\tSN0001\t" + "TV6VHF5CH001\tV0107\tOK\tverified")
        << out.str();
    EXPECT_NE(byPort[others[0]->devicePath()].find("\tSN0002\t"), std::string::npos);
    EXPECT_NE(byPort[others[0]->devicePath()].find("\tOK\tverified"), std::string::npos);
    const std::string& bad = byPort[others[1]->devicePath()];
    EXPECT_NE(bad.find("\tSN0003\t"), std::string::npos) << bad;
    EXPECT_NE(bad.find("\t" + message + "\tnot verified"), std::string::npos) << bad;

    // The log: a header and three whole rows with the file's SHA-256.
    const auto rows = lines(test::fileText(log));
    ASSERT_EQ(rows.size(), 4u) << test::fileText(log);
    EXPECT_EQ(rows[0], "Started,Ended,Port,Serial Number,Model,Firmware,Operation,File,Size,"
                       "SHA-256,Result,Verify\r");
    // The image as sent: the file's, with its checksums and mirror brought up to date.
    CodeplugImage sent = readPpgFile(file).image;
    updateChecksums(sent);
    refreshModelOptionsMirror(sent);
    const std::string sha = sha256Hex(sent.bytes());
    int ok = 0;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_NE(rows[i].find(",write," + file + ",16384," + sha + ","), std::string::npos)
            << rows[i];
        ok += rows[i].find(",OK,verified\r") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(ok, 2);

    // A second run appends to the same log.
    std::ostringstream out2, err2;
    runFleetWrite(file, false, {log, false}, out2, err2);
    // (a hung-up cradle is gone by now)
    EXPECT_EQ(lines(test::fileText(log)).size(), rows.size() + lines(out2.str()).size());
}

INSTANTIATE_TEST_SUITE_P(OneFaultyPager, FleetTest,
                         ::testing::Values(FleetCase{Fault::WrongModel, op_texts::kWriteError7},
                                           FleetCase{Fault::BlockRefused, op_texts::kWriteError2},
                                           FleetCase{Fault::HangUp, op_texts::kWriteError5}),
                         [](const auto& test) {
                             switch (test.param.fault) {
                             case Fault::WrongModel:
                                 return std::string("WrongModel");
                             case Fault::BlockRefused:
                                 return std::string("BlockRefused");
                             case Fault::HangUp:
                                 return std::string("HangUp");
                             }
                             return std::string();
                         });

TEST(FleetRead, FilesAreNamedBySerialNumber) {
    test::SimulatedCradle first(test::pacedLine(), 0.02, 0.2);
    sim::PagerSimulator second(sim::PagerModel(test::defaultTestCodeplug()), test::pacedLine());
    std::string error;
    ASSERT_TRUE(first.addBeside(second, error)) << error;
    setSerial(first.sim(), "A/../1");
    setSerial(second, "B2");
    test::TempDir dir;
    const auto folder = dir.path() / "fleet";
    // A dangling link under a pager's name must not lead the file out of the folder.
    std::filesystem::create_directories(folder);
    std::filesystem::create_symlink(dir.path() / "outside.ppg", folder / "B2.ppg");
    std::ostringstream out, err;
    ASSERT_EQ(runFleetRead(folder.string(), {}, out, err), 0) << err.str() << out.str();
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "outside.ppg"));
    const auto a = readPpgFile(folder / "A____1.ppg");
    const auto b = readPpgFile(folder / "B2-2.ppg");
    ASSERT_EQ(a.status, PpgReadStatus::Ok);
    ASSERT_EQ(b.status, PpgReadStatus::Ok);
    EXPECT_EQ(b.image.at(0x0300), 0x9E);
}

// A text without --base goes onto each pager's own codeplug: the patch's value lands on
// both, and every value it does not give stays that pager's own.
TEST(FleetWrite, ATextWithoutABaseGoesOntoEachPagersOwnCodeplug) {
    test::SimulatedCradle first(test::pacedLine(), 0.02, 0.2);
    sim::PagerSimulator second(sim::PagerModel(test::defaultTestCodeplug()), test::pacedLine());
    std::string error;
    ASSERT_TRUE(first.addBeside(second, error)) << error;
    setSerial(first.sim(), "SN0001");
    setSerial(second, "SN0002");
    second.withModel([](sim::PagerModel& m) {
        ChannelBlock(m.codeplug(), 1).setSquelchLevel(0);
        updateChecksums(m.codeplug());
    });
    test::TempDir dir;
    const auto patch = (dir.path() / "patch.yaml").string();
    // Squelch position 5 is level 4.
    std::ofstream(patch) << "channels:\n  F1:\n    Squelch Level: 5\n";
    std::ostringstream out, err;
    ASSERT_EQ(runFleetWrite({patch, "", true}, true, {}, out, err), 0) << err.str() << out.str();
    const auto squelch = [](sim::PagerSimulator& pager, int channel) {
        int level = -1;
        pager.withModel([&](sim::PagerModel& m) {
            level = ConstChannelBlock(m.codeplug(), channel).squelchLevel();
        });
        return level;
    };
    EXPECT_EQ(squelch(first.sim(), 0), 4);
    EXPECT_EQ(squelch(second, 0), 4);
    EXPECT_NE(squelch(first.sim(), 1), 0);
    EXPECT_EQ(squelch(second, 1), 0);
    second.withModel([](sim::PagerModel& m) { EXPECT_EQ(m.codeplug().at(0x0111), 'N'); });
}

// A folder that cannot take the files is named with its cause before any pager is read.
TEST(FleetRead, AnUnusableFolderIsRefusedBeforeAnyPager) {
    test::SimulatedCradle cradle(test::pacedLine(), 0.02, 1.0);
    test::TempDir dir;
    std::ofstream(dir.path() / "plain") << "a file";
    const struct {
        std::string folder;
        std::string cause;
    } cases[] = {
        {(dir.path() / "plain").string(), "Not a directory"},
        {(dir.path() / "plain" / "below").string(), "Not a directory"},
        {"", "no folder named"},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(runFleetRead(c.folder, {}, out, err), 1) << c.folder;
        EXPECT_EQ(err.str().rfind("File Error #3", 0), 0u) << err.str();
        const auto named = err.str().find(c.folder + ": ");
        ASSERT_NE(named, std::string::npos) << err.str();
        EXPECT_NE(err.str().find(c.cause, named), std::string::npos) << err.str();
    }
    EXPECT_EQ(cradle.sim().framesReceived(), 0u) << "a pager was asked before the folder";
}

// A pager that fails part way through a read keeps in its row what it said before:
// serial number, model and firmware, then the message.
TEST(FleetRead, AFailingPagersRowKeepsWhatWasRead) {
    const struct {
        const char* name;
        sim::FaultKind kind;
        const char* rule;
        int hangUpAfter;
        std::string_view message;
    } cases[] = {
        {"block refused", sim::FaultKind::Nak, "02@0300:99", -1, op_texts::kReadError2},
        {"hung up", sim::FaultKind::Nak, "", 15, link_texts::kReadError5},
    };
    for (const auto& c : cases) {
        sim::SimulatorOptions faulty = test::pacedLine();
        faulty.hangUpAfter = c.hangUpAfter;
        if (*c.rule != '\0') {
            sim::FaultRule rule;
            ASSERT_TRUE(sim::parseFaultRule(c.kind, c.rule, rule));
            faulty.faults.push_back(rule);
        }
        test::SimulatedCradle cradle(faulty, 0.02, 0.2);
        setSerial(cradle.sim(), "SN0042");
        test::TempDir dir;
        std::ostringstream out, err;
        EXPECT_EQ(runFleetRead((dir.path() / "all").string(), {}, out, err), 1) << c.name;
        std::string message(c.message.substr(0, c.message.find(" \r\n")));
        EXPECT_EQ(out.str().substr(0, out.str().find(" Unable")),
                  cradle.device() + "\tSN0042\tTV6VHF5CH001\tV0107\t" + message)
            << c.name << ": " << out.str();
    }
}

// Pager and file texts in a spreadsheet: quoted where CSV needs it, never a formula,
// never a control character.
TEST(ProgrammingLog, FieldsAreQuotedNeutralisedAndEscaped) {
    const struct {
        std::string text, field;
    } cases[] = {
        {"SN,1", "\"SN,1\""},
        {"a \"b\".ppg", "\"a \"\"b\"\".ppg\""},
        {"Write Error #2 \r\n\r\nUnable ", "Write Error #2     Unable"},
        {"=cmd|'/Ccalc'!A0", "'=cmd|'/Ccalc'!A0"},
        {"-1+2", "'-1+2"},
        {"+1", "'+1"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "'\\tx"},
        {"\rx", "' x"},
        {std::string("a\x1b[2Jb\x07\0", 8), "a\\x1B[2Jb\\x07\\x00"},
        {"1-2", "1-2"},
    };
    for (const auto& c : cases) {
        ProgrammingLogRow row;
        row.serialNumber = c.text;
        EXPECT_EQ(csvRow(row), ",,," + c.field + ",,,,,,,,\r\n") << c.text;
    }
    EXPECT_EQ(sha256Hex(std::span<const std::uint8_t>()),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    const std::string abc = "abc";
    EXPECT_EQ(sha256Hex({reinterpret_cast<const std::uint8_t*>(abc.data()), abc.size()}),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

// Ctrl-C while one pager is still being written: the row of the pager that was done
// stays, the other gets its "interrupted" row, and the program ends as interrupted.
TEST(FleetLogDeathTest, CtrlCKeepsTheFinishedRowsAndMarksTheOthers) {
    test::SimulatedCradle first(test::pacedLine(), 0.02, 0.5);
    sim::SimulatorOptions slow = test::pacedLine();
    slow.replyDelayMs = 200;
    sim::PagerSimulator second(sim::PagerModel(test::defaultTestCodeplug()), slow);
    std::string error;
    ASSERT_TRUE(first.addBeside(second, error)) << error;
    test::TempDir dir;
    const auto file = (dir.path() / "c.ppg").string();
    ASSERT_TRUE(writePpgFile(file, test::defaultTestCodeplug()));
    const auto log = dir.path() / "log.csv";
    const FleetOptions options{log.string(), false};
    auto interruptedRun = [&] {
        std::thread([&] {
            // Header and the first pager's row: now interrupt.
            test::waitForFolderChange(
                log.parent_path(), [&] { return lines(test::fileText(log)).size() >= 2; },
                std::chrono::seconds(30));
            ::kill(::getpid(), SIGINT);
        }).detach();
        std::ostringstream out, err;
        runFleetWrite(file, false, options, out, err);
        std::exit(0);
    };
    EXPECT_EXIT(interruptedRun(), ::testing::ExitedWithCode(128 + SIGINT), "");
    const auto rows = lines(test::fileText(log));
    ASSERT_EQ(rows.size(), 3u) << test::fileText(log);
    EXPECT_NE(rows[1].find(first.device() + ","), std::string::npos) << rows[1];
    EXPECT_NE(rows[1].find(",OK,"), std::string::npos) << rows[1];
    EXPECT_NE(rows[2].find(second.devicePath() + ","), std::string::npos) << rows[2];
    EXPECT_NE(rows[2].find(",interrupted,"), std::string::npos) << rows[2];
}

// Two recordings of one file name from two folders, one pager slow to answer, and a
// recording that is gone: every pager's slots hold the streams of their own recordings,
// and every pager's line names the slot that was not written.
TEST(FleetAudio, SameFileNameInTwoFoldersASlowPagerAndAMissingRecording) {
    const std::filesystem::path install = QUORL_TEST_STAGE_DATA_DIR;
    test::SimulatedCradle first(test::pacedLine(), 0.01, 1.0);
    sim::SimulatorOptions slow = test::pacedLine();
    slow.lateMs = 1200; // its presence answers come late, inside the time-out
    slow.faults.push_back({sim::FaultKind::Late, std::uint8_t{0x70}, std::nullopt, 0});
    sim::PagerSimulator second(sim::PagerModel(test::defaultTestCodeplug()), slow);
    std::string error;
    ASSERT_TRUE(first.addBeside(second, error)) << error;
    test::TempDir build;
    ::setenv("QUORL_BUILD_DIR", (build.path() / "BuildIMG").c_str(), 1);
    std::filesystem::create_directories(build.path() / "a");
    std::filesystem::create_directories(build.path() / "b");
    std::filesystem::copy_file(defaultRecording(install, 0), build.path() / "a" / "tone.wav");
    std::filesystem::copy_file(defaultRecording(install, 3), build.path() / "b" / "tone.wav");
    std::array<DownloadSlot, kDownloadSlots> slots{};
    slots[0] = {true, build.path() / "a" / "tone.wav"};
    slots[1] = {true, build.path() / "b" / "tone.wav"};
    slots[6] = {true, "/nonexistent.wav"};
    std::ostringstream out, err;
    EXPECT_EQ(runFleetAudioWrite(slots, {}, out, err), 1) << err.str() << out.str();
    const auto summary = lines(out.str());
    EXPECT_EQ(summary.size(), 2u) << out.str();
    for (const auto& l : summary)
        EXPECT_NE(l.find("Note: The write to the pager is completed."), std::string::npos) << l;

    for (int slot : {0, 1}) {
        const auto pages = referencePages(build.path() / "reference", slot,
                                          slots[static_cast<std::size_t>(slot)].wav);
        for (auto* pager : {&first.sim(), &second})
            EXPECT_TRUE(holdsPages(*pager, slot, pages)) << "slot " << slot + 1;
    }
}

// Every byte a terminal would obey, or that is no UTF-8: none may come from a pager.
bool onlyPrintable(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return c == '\n' || c == '\t' || (b >= 0x20 && b < 0x7F);
    });
}

// A pager whose firmware and serial number hold ESC, BEL, NUL, TAB and bytes that are
// not UTF-8: every command that prints pager text prints it escaped, and the summary
// keeps its six columns.
TEST(PagerText, EscapedInEveryCommandThatPrintsIt) {
    test::SimulatedCradle cradle(test::pacedLine(), 0.02, 0.5);
    cradle.sim().withModel(
        [](sim::PagerModel& m) { m.identity().firmware = std::string("\x1b\a\0\t\xfe", 5); });
    setSerial(cradle.sim(), std::string("S\x1b]0;\a\t\0\xc3", 9));
    test::TempDir dir;
    const auto file = (dir.path() / "c.ppg").string();
    ASSERT_TRUE(writePpgFile(file, test::defaultTestCodeplug()));
    ::setenv("QUORL_BUILD_DIR", (dir.path() / "BuildIMG").c_str(), 1);
    std::array<DownloadSlot, kDownloadSlots> slots{};
    slots[0] = {true, defaultRecording(QUORL_TEST_STAGE_DATA_DIR, 0)};
    const std::function<int(std::ostream&, std::ostream&)> commands[] = {
        [&](std::ostream& out, std::ostream& err) {
            return runFleetWrite(file, false, {}, out, err);
        },
        [&](std::ostream& out, std::ostream& err) {
            return runFleetAudioWrite(slots, {}, out, err);
        },
        [&](std::ostream& out, std::ostream& err) {
            return runFleetRead((dir.path() / "all").string(), {}, out, err);
        },
        [&](std::ostream&, std::ostream& err) {
            // `read` prints the firmware on standard error.
            auto* saved = std::cerr.rdbuf(err.rdbuf());
            const int code = runRead(cradle.device(), (dir.path() / "one.ppg").string());
            std::cerr.rdbuf(saved);
            return code;
        },
    };
    for (const auto& command : commands) {
        std::ostringstream out, err;
        EXPECT_EQ(command(out, err), 0) << err.str();
        EXPECT_TRUE(onlyPrintable(out.str())) << out.str();
        EXPECT_TRUE(onlyPrintable(err.str())) << err.str();
        for (const auto& line : lines(out.str()))
            EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 5) << line;
    }
}

// Two cradles reached through links of one base name (p1/port, p2/port): each gets its
// own copy of the stream, and both pagers hold the recording's pages, never an empty one.
TEST(FleetAudio, CradlesWhoseLinksShareABaseName) {
    const std::filesystem::path install = QUORL_TEST_STAGE_DATA_DIR;
    ScopedLinkTiming timing(0.01, 1.0);
    test::IsolatedDiscovery discovery;
    sim::PagerSimulator first(sim::PagerModel(test::defaultTestCodeplug()), test::pacedLine());
    sim::PagerSimulator second(sim::PagerModel(test::defaultTestCodeplug()), test::pacedLine());
    std::string error;
    ASSERT_TRUE(first.start(error)) << error;
    ASSERT_TRUE(second.start(error)) << error;
    test::TempDir dir;
    ::setenv("QUORL_BUILD_DIR", (dir.path() / "BuildIMG").c_str(), 1);
    const auto wav = defaultRecording(install, 2);
    for (const auto& [name, device] :
         {std::pair{"p1", first.devicePath()}, std::pair{"p2", second.devicePath()}}) {
        std::filesystem::create_directories(dir.path() / name);
        std::filesystem::create_symlink(device, dir.path() / name / "port");
        discovery.registerCradle((dir.path() / name / "port").string());
    }
    std::array<DownloadSlot, kDownloadSlots> slots{};
    slots[2] = {true, wav};
    // The cradles' copies live in the run's scratch folder until it ends: watch their
    // modes there.
    const auto scratch = dir.path() / "tmp";
    std::filesystem::create_directories(scratch);
    const std::string savedTmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    ::setenv("TMPDIR", scratch.c_str(), 1);
    std::map<std::filesystem::path, std::filesystem::perms> copies;
    std::atomic<bool> running{true};
    // Looked at again on every change in the scratch folder: a copy's mode as it was
    // after its last change (a file removed as the run ends has no mode to keep).
    const auto name = slotStreamPath(".", 2).filename();
    const auto lookAtCopies = [&] {
        std::error_code ec;
        for (std::filesystem::recursive_directory_iterator it(scratch, ec), end; !ec && it != end;
             it.increment(ec))
            if (it->path().filename() == name &&
                it->path().parent_path().parent_path().filename().string().starts_with("cradle-")) {
                std::error_code gone;
                const auto mode = std::filesystem::symlink_status(it->path(), gone);
                if (!gone && std::filesystem::exists(mode))
                    copies[it->path()] = mode.permissions();
            }
        return !running.load();
    };
    std::thread watcher(
        [&] { test::waitForFolderChange(scratch, lookAtCopies, std::chrono::minutes(2)); });
    std::ostringstream out, err;
    const int code = runFleetAudioWrite(slots, {}, out, err);
    running = false;
    std::ofstream(scratch / "ended"); // a change that wakes the watcher
    watcher.join();
    savedTmp.empty() ? ::unsetenv("TMPDIR") : ::setenv("TMPDIR", savedTmp.c_str(), 1);
    ASSERT_EQ(code, 0) << err.str() << out.str();
    ASSERT_EQ(copies.size(), 2u) << "one copy per cradle";
    for (const auto& [path, mode] : copies)
        EXPECT_EQ(mode, std::filesystem::perms::owner_read) << path;

    const auto pages = referencePages(dir.path() / "reference", 2, wav);
    for (auto* pager : {&first, &second})
        EXPECT_TRUE(holdsPages(*pager, 2, pages));
}

} // namespace
} // namespace quorl::cli
