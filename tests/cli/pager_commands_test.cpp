#include "cli/pager_commands.h"

#include "audio/custom_audio_slots.h"
#include "cli/custom_audio_commands.h"
#include "cli/text_commands.h"

#include "codeplug/channel_block.h"
#include "codeplug/default_codeplug.h"
#include "codeplug/ppg_file.h"
#include "tests/support/link_test_support.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>

namespace quorl::cli {
namespace {

TEST(PagerCommands, ReadWriteAndVerifyAgainstTheSimulator) {
    test::SimulatedCradle cradle(test::pacedLine(), 0.02, 1.0);
    test::TempDir dir;
    const auto out = dir.path() / "read.ppg";
    ASSERT_EQ(runRead("", out.string()), 0);
    const auto read = readPpgFile(out);
    ASSERT_EQ(read.status, PpgReadStatus::Ok);
    EXPECT_EQ(read.image.at(0x0300), 0x9E);

    // A changed codeplug: verify finds the difference, write puts it right.
    auto changed = read.image;
    ChannelBlock(changed, 0).setSquelchLevel(4);
    const auto file = dir.path() / "changed.ppg";
    ASSERT_TRUE(writePpgFile(file, changed));
    {
        // The report names the value in the editors' words before the bytes.
        std::ostringstream report;
        auto* const previous = std::cout.rdbuf(report.rdbuf());
        EXPECT_EQ(runVerify(cradle.device(), file.string()), 1);
        std::cout.rdbuf(previous);
        const auto squelch = "F1 Squelch Level: 5 \u2192 " +
                             std::to_string(ConstChannelBlock(read.image, 0).squelchLevel() + 1) +
                             "\n";
        EXPECT_NE(report.str().find(squelch), std::string::npos) << report.str();
        // Each byte with both values: the file's, then the pager's.
        char byte[64];
        std::snprintf(byte, sizeof byte, "  0x0307: file 0x04, pager 0x%02X\n",
                      ConstChannelBlock(read.image, 0).squelchLevel());
        EXPECT_NE(report.str().find(byte), std::string::npos) << report.str();
    }
    EXPECT_EQ(runWrite(cradle.device(), file.string(), true), 0);
    EXPECT_EQ(runVerify("", file.string()), 0);
}

TEST(PagerCommands, FailuresLeaveNoFileAndExitOne) {
    test::SimulatedCradle cradle(test::pacedLine(), 0.02, 1.0);
    test::TempDir dir;
    cradle.sim().withModel([](sim::PagerModel& m) { m.identity().hasSerialNumber = false; });
    const auto out = dir.path() / "never.ppg";
    EXPECT_EQ(runRead("", out.string()), 1);
    EXPECT_FALSE(std::filesystem::exists(out));

    // Another pager model refuses the file.
    const auto uhf = dir.path() / "uhf.ppg";
    ASSERT_TRUE(writePpgFile(uhf, makeDefaultCodeplug(uhfSingleChannelFactory())));
    EXPECT_EQ(runWrite("", uhf.string(), false), 1);
    EXPECT_EQ(runWrite("", (dir.path() / "missing.ppg").string(), false), 1);
}

TEST(PagerCommands, TextsGoStraightToAndFromThePager) {
    test::SimulatedCradle cradle(test::pacedLine(), 0.02, 1.0);
    test::TempDir dir;
    const auto at = [&](const char* name) { return (dir.path() / name).string(); };
    ASSERT_EQ(runRead(cradle.device(), at("before.ppg")), 0);
    ASSERT_EQ(runRead(cradle.device(), at("before.yaml")), 0);
    {
        std::ostringstream text;
        auto* const previous = std::cout.rdbuf(text.rdbuf());
        EXPECT_EQ(runRead(cradle.device(), "-"), 0);
        std::cout.rdbuf(previous);
        EXPECT_EQ(text.str(), test::fileText(at("before.yaml")));
    }
    std::ostringstream same, err;
    // A .ppg file carries no firmware version; the read text names the pager's.
    EXPECT_EQ(runDiff(at("before.ppg"), at("before.yaml"), false, same, err), 1);
    EXPECT_EQ(same.str(), "Firmware Version (identity): \"\" \u2192 V01.07\n");
    EXPECT_NE(test::fileText(at("before.yaml")).find("\nformat: tessaly-vi-quorl/1\n"),
              std::string::npos);

    // A one-value patch onto the pager's own codeplug: F1 squelch position 5 is level 4.
    std::ofstream(at("patch.yaml")) << "channels:\n  F1:\n    Squelch Level: 5\n";
    EXPECT_EQ(runWrite(cradle.device(), {at("patch.yaml"), "", false}, false), 1) << "not partial";
    ASSERT_EQ(runWrite(cradle.device(), {at("patch.yaml"), "", true}, false), 0);
    ASSERT_EQ(runRead(cradle.device(), at("after.ppg")), 0);
    const auto before = readPpgFile(at("before.ppg")).image;
    EXPECT_EQ(ConstChannelBlock(readPpgFile(at("after.ppg")).image, 0).squelchLevel(), 4);
    EXPECT_EQ(runVerify(cradle.device(), {at("patch.yaml"), "", true}), 0);

    // Onto --base instead: the base's own change goes with it.
    auto base = before;
    ChannelBlock(base, 1).setSquelchLevel(0);
    ASSERT_TRUE(writePpgFile(at("base.ppg"), base));
    ASSERT_EQ(runWrite(cradle.device(), {at("patch.yaml"), at("base.ppg"), true}, false), 0);
    ASSERT_EQ(runRead(cradle.device(), at("last.ppg")), 0);
    const auto last = readPpgFile(at("last.ppg")).image;
    EXPECT_EQ(ConstChannelBlock(last, 0).squelchLevel(), 4);
    EXPECT_EQ(ConstChannelBlock(last, 1).squelchLevel(), 0);
    // --base belongs to a text.
    EXPECT_EQ(runWrite(cradle.device(), {at("before.ppg"), at("base.ppg"), false}, false), 1);
}

TEST(AudioCommands, CheckAndWriteSlots) {
    const std::filesystem::path install = QUORL_TEST_STAGE_DATA_DIR;
    EXPECT_EQ(runAudioCheck(defaultRecording(install, 0).string()), 0);
    EXPECT_EQ(runAudioCheck("/nonexistent.wav"), 1);
    EXPECT_EQ(parseSlot("13"), 12);
    EXPECT_EQ(parseSlot("sw h"), 12);
    EXPECT_EQ(parseSlot("Alert 2"), 1);
    EXPECT_EQ(parseSlot("14"), -1);
    EXPECT_EQ(parseSlot("SW I"), -1);

    test::SimulatedCradle cradle(test::pacedLine(), 0.01, 1.0);
    test::TempDir build;
    ::setenv("QUORL_BUILD_DIR", build.path().c_str(), 1);
    EXPECT_EQ(runAudioWrite(cradle.device(), {"Alert 2=" + defaultRecording(install, 1).string()}),
              0);
    std::array<std::uint8_t, sim::kSectorSize> first{};
    cradle.sim().withModel([&](sim::PagerModel& m) { first = m.sector(0x0105); });
    EXPECT_EQ(first[5], 0xA4);
    EXPECT_EQ(runAudioWrite("", {"7=/nonexistent.wav"}), 1) << "named in the note";
    EXPECT_EQ(runAudioWrite("", {"99=/x.wav"}), 2);
}

// Collects what a command writes to standard error.
class CapturedErrors {
public:
    CapturedErrors() : old_(std::cerr.rdbuf(text_.rdbuf())) {}
    ~CapturedErrors() { std::cerr.rdbuf(old_); }
    std::string text() const { return text_.str(); }

private:
    std::stringstream text_;
    std::streambuf* old_;
};

TEST(AudioCommands, RecordingsAreCheckedBeforeThePagerAndSuccessIsSaid) {
    test::TempDir dir;
    // The Custom Audio window's header check passes this; compression would refuse it.
    const std::filesystem::path install = QUORL_TEST_STAGE_DATA_DIR;
    std::string bytes = test::fileText(defaultRecording(install, 0));
    bytes.resize(bytes.find("data"));
    const auto noData = dir.path() / "nodata.wav";
    std::ofstream(noData, std::ios::binary) << bytes;
    {
        CapturedErrors err;
        EXPECT_EQ(runAudioCheck(noData.string()), 1);
        EXPECT_NE(err.text().find("nodata.wav: no data chunk"), std::string::npos) << err.text();
    }

    test::SimulatedCradle cradle({}, 0.01, 1.0);
    test::TempDir build;
    ::setenv("QUORL_BUILD_DIR", build.path().c_str(), 1);
    {
        CapturedErrors err;
        EXPECT_EQ(runAudioWrite(cradle.device(), {"1=" + defaultRecording(install, 0).string(),
                                                  "2=" + noData.string()}),
                  1);
        EXPECT_NE(err.text().find("no data chunk"), std::string::npos) << err.text();
    }
    // The pager was not even asked for its version.
    EXPECT_EQ(cradle.sim().framesReceived(), 0u);
    {
        CapturedErrors err;
        EXPECT_EQ(runAudioWrite(cradle.device(), {"1=" + defaultRecording(install, 0).string()}),
                  0);
        EXPECT_NE(err.text().find("Wrote 1 custom audio slot into the pager\n"), std::string::npos)
            << err.text();
    }
}

TEST(PagerCommands, VerifyAgainstAnotherModelSaysSoAndComparesNothing) {
    test::SimulatedCradle cradle(test::pacedLine(), 0.02, 1.0);
    test::TempDir dir;
    const auto uhf = dir.path() / "uhf.ppg";
    ASSERT_TRUE(writePpgFile(uhf, makeDefaultCodeplug(uhfSingleChannelFactory())));
    CapturedErrors err;
    std::ostringstream report;
    auto* const previous = std::cout.rdbuf(report.rdbuf());
    EXPECT_EQ(runVerify(cradle.device(), uhf.string()), 1);
    std::cout.rdbuf(previous);
    EXPECT_NE(err.text().find("Write Error #7"), std::string::npos) << err.text();
    EXPECT_NE(err.text().find("model number do not match"), std::string::npos) << err.text();
    EXPECT_EQ(report.str(), "") << "no differences decoded with the wrong band";
}

} // namespace
} // namespace quorl::cli
