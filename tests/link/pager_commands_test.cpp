#include "cli/pager_commands.h"

#include "codeplug/channel_block.h"
#include "codeplug/default_codeplug.h"
#include "codeplug/ppg_file.h"
#include "link_test_support.h"

#include <gtest/gtest.h>

namespace quorl::cli {
namespace {

TEST(PagerCommands, ReadWriteAndVerifyAgainstTheSimulator) {
    test::SimulatedCradle cradle({}, 0.02, 1.0);
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
    EXPECT_EQ(runVerify(cradle.device(), file.string()), 1);
    EXPECT_EQ(runWrite(cradle.device(), file.string(), true), 0);
    EXPECT_EQ(runVerify("", file.string()), 0);
}

TEST(PagerCommands, FailuresLeaveNoFileAndExitOne) {
    test::SimulatedCradle cradle({}, 0.02, 1.0);
    test::TempDir dir;
    cradle.sim().withModel([](sim::PagerModel& m) { m.identity().hasSerialNumber = false; });
    const auto out = dir.path() / "never.ppg";
    EXPECT_EQ(runRead("", out.string()), 1);
    EXPECT_FALSE(std::filesystem::exists(out));

    // Another pager model refuses the file.
    const auto uhf = dir.path() / "uhf.ppg";
    ASSERT_TRUE(writePpgFile(uhf, makeDefaultCodeplug(uhfSingleChannelSpec())));
    EXPECT_EQ(runWrite("", uhf.string(), false), 1);
    EXPECT_EQ(runWrite("", (dir.path() / "missing.ppg").string(), false), 1);
}

} // namespace
} // namespace quorl::cli
