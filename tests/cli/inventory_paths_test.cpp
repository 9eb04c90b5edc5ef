// Every way a pager is programmed leaves its record in the inventory, failures too:
// the single commands, the fleet commands, and restoring a codeplug from the records.
#include "audio/custom_audio_slots.h"
#include "cli/custom_audio_commands.h"
#include "cli/fleet_commands.h"
#include "cli/pager_commands.h"

#include "codeplug/channel_block.h"
#include "codeplug/checksums.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/ppg_file.h"
#include "inventory/inventory_location.h"
#include "inventory/inventory_recorder.h"
#include "inventory/recorded_operation.h"
#include "link/command_frames.h"
#include "link/sha256.h"
#include "tests/support/link_test_support.h"
#include "tests/support/program_run.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

namespace quorl::cli {
namespace {

// The bench's own store, as the commands left it.
std::vector<inventory::InventoryRecord> recorded() {
    return inventory::openInventory({inventory::InventoryLocation::Kind::Sqlite,
                                     (inventory::userDataFolder() / "inventory.sqlite").string()})
        ->all(true);
}

std::string summary(const inventory::InventoryRecord& r) {
    return r.operation + " " + r.result + " " + r.serialNumber;
}

TEST(InventoryPaths, SingleCommandsRecordWhatThePagerHeldAndWhatFailed) {
    test::SimulatedCradle cradle(test::pacedLine(), 0.02, 1.0);
    test::TempDir dir;
    const auto readFile = dir.path() / "read.ppg";
    ASSERT_EQ(runRead("", readFile.string()), 0);
    const CodeplugImage before = readPpgFile(readFile).image;
    auto changed = before;
    ChannelBlock(changed, 0).setSquelchLevel(4);
    const auto changedFile = dir.path() / "changed.ppg";
    ASSERT_TRUE(writePpgFile(changedFile, changed));
    ASSERT_EQ(runWrite(cradle.device(), changedFile.string(), true), 0);
    cradle.sim().withModel([](sim::PagerModel& m) { m.identity().hasSerialNumber = false; });
    EXPECT_EQ(runRead("", (dir.path() / "never.ppg").string()), 1);

    const auto records = recorded();
    std::vector<std::string> seen;
    for (const auto& r : records)
        seen.push_back(summary(r));
    const std::string serial = "7TV0000001";
    EXPECT_EQ(seen,
              (std::vector<std::string>{"read succeeded " + serial, "write succeeded " + serial,
                                        "verify succeeded " + serial, "read failed "}));
    EXPECT_NE(records.back().message, "");
    // The pager's bytes as read, and as written (checksums and mirror as sent).
    CodeplugImage sent = changed;
    updateChecksums(sent);
    refreshModelOptionsMirror(sent);
    EXPECT_EQ(records[1].codeplugSha256, sha256Hex(sent.bytes()));
    EXPECT_TRUE(std::ranges::equal(records[0].codeplug, before.bytes()));

    // The codeplug it held before the write comes back byte for byte.
    const auto restored = dir.path() / "restored.ppg";
    const auto run = test::runProgram(
        {(std::filesystem::path(QUORL_TEST_BIN_DIR) / "quorl").string(), "inventory", "codeplug",
         serial, "--at", records[0].at, "-o", restored.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(std::ranges::equal(readPpgFile(restored).image.bytes(), before.bytes()));
}

// A custom audio write, from the command and as the window runs it, names the cradle
// and the pager it wrote: the pager is asked before the download, which goes as ever.
TEST(InventoryPaths, ACustomAudioWriteRecordsThePagerItWrote) {
    test::SimulatedCradle cradle({}, 0.01, 1.0);
    cradle.sim().withModel([](sim::PagerModel& m) {
        m.identity().modelNumber = std::string("TV6BENCH0012");
        m.identity().firmware = "V0109";
    });
    test::TempDir build;
    ::setenv("QUORL_BUILD_DIR", build.path().c_str(), 1);
    const auto wav = defaultRecording(QUORL_TEST_STAGE_DATA_DIR, 1);
    const std::string started = inventory::isoTimeMicroseconds();
    ASSERT_EQ(runAudioWrite("", {"2=" + wav.string()}), 0);
    std::array<DownloadSlot, kDownloadSlots> slots{};
    slots[1] = {true, wav};
    test::RecordingHost host;
    CodeplugState state;
    EXPECT_EQ(inventory::runRecordedAudioWrite(state, host, slots, build.path()),
              OperationOutcome::Succeeded)
        << ::testing::PrintToString(host.messages());
    // A pager that does not say who it is gets nothing written, and the failure is kept.
    cradle.sim().addFault({sim::FaultKind::Nak, cmd::kFirmwareVersion, std::nullopt, 0});
    EXPECT_EQ(inventory::runRecordedAudioWrite(state, host, slots, build.path()),
              OperationOutcome::Failed);

    std::vector<std::string> seen;
    for (const auto& r : recorded())
        if (r.at >= started)
            seen.push_back(r.operation + " " + r.result + " " + r.cradle + " " + r.serialNumber +
                           " " + r.model + " " + r.firmware + " " +
                           std::to_string(r.voiceSha256.size()) + " " +
                           std::to_string(r.message.empty()));
    const std::string written =
        "audio write succeeded " + cradle.device() + " 7TV0000001 TV6BENCH0012 V0109 64 1";
    EXPECT_EQ(seen, (std::vector<std::string>{
                        written, written, "audio write failed " + cradle.device() + "    0 0"}));
}

TEST(InventoryPaths, AFleetWriteRecordsEveryPagerAndItsReadBack) {
    test::SimulatedCradle first(test::pacedLine(), 0.02, 0.2);
    sim::PagerSimulator other(sim::PagerModel(test::defaultTestCodeplug()), test::pacedLine());
    std::string error;
    ASSERT_TRUE(first.addBeside(other, error)) << error;
    other.withModel(
        [](sim::PagerModel& m) { m.identity().modelNumber = std::string("OTHERMODEL12"); });
    test::TempDir dir;
    const auto file = (dir.path() / "brigade.ppg").string();
    ASSERT_TRUE(writePpgFile(file, test::defaultTestCodeplug()));
    std::ostringstream out, err;
    const std::string started = inventory::isoTimeMicroseconds();
    EXPECT_EQ(runFleetWrite(file, true, {{}, false}, out, err), 1) << err.str();

    std::map<std::string, std::string> byCradle;
    for (const auto& r : recorded())
        if (r.at >= started) // a pty name may come back from an earlier case
            byCradle[r.cradle] += r.operation + " " + r.result + ";";
    EXPECT_EQ(byCradle[first.device()], "write succeeded;verify succeeded;");
    EXPECT_EQ(byCradle[other.devicePath()], "write failed;verify failed;");
}

} // namespace
} // namespace quorl::cli
