// The inventory's questions from the command line, on a store filled here: which
// pagers are outdated and how, the lists as JSON and CSV with recorded text escaped.
#include "codeplug/channel_block.h"
#include "codeplug/checksums.h"
#include "codeplug/ppg_file.h"
#include "inventory/inventory_store.h"
#include "inventory/sqlite_database.h"
#include "link/sha256.h"
#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

namespace quorl::cli {
namespace {

const std::string kQuorl = (std::filesystem::path(QUORL_TEST_BIN_DIR) / "quorl").string();

class InventoryCommands : public ::testing::Test {
protected:
    void SetUp() override {
        brigade = readPpgFile(std::filesystem::path(QUORL_TEST_STAGE_DATA_DIR) / "Lib" /
                              "Default_VHF_5CH.ppg")
                      .image;
        updateChecksums(brigade);
        refreshModelOptionsMirror(brigade);
        older = brigade;
        ChannelBlock(older, 0).setSquelchLevel(4);
        inventory::InventoryStore store(
            std::make_unique<inventory::SqliteDatabase>(dir / "inv.sqlite"));
        store.add(written("a", "SN1", "2026-01-01T08:00:00.000000Z", older));
        store.add(written("b", "SN2", "2026-01-02T08:00:00.000000Z", brigade));
        ASSERT_TRUE(writePpgFile(dir / "brigade.ppg", brigade));
    }
    static inventory::InventoryRecord written(std::string id, std::string serial, std::string at,
                                              const CodeplugImage& image) {
        inventory::InventoryRecord r;
        r.id = std::move(id);
        r.at = std::move(at);
        r.station = "=cmd\t\"bench\"\u202e";
        r.serialNumber = std::move(serial);
        r.model = "TV6VHF5CH001";
        r.operation = "write";
        r.result = "succeeded";
        r.codeplug.assign(image.bytes().begin(), image.bytes().end());
        r.codeplugSha256 = sha256Hex(r.codeplug);
        return r;
    }
    test::ProgramResult quorl(std::vector<std::string> args) {
        args.insert(args.begin(),
                    {kQuorl, "--inventory", "sqlite://" + (dir / "inv.sqlite").string()});
        return test::runProgram(args);
    }

    test::TempDir dir;
    CodeplugImage brigade, older;
};

TEST_F(InventoryCommands, OutdatedNamesOnlyThePagerWithTheOldCodeplugAndWhatDiffers) {
    const auto run = quorl({"inventory", "outdated", "--codeplug", (dir / "brigade.ppg").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("SN1  written 2026-01-01T08:00:00.000000Z"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("F1 Squelch Level: 5 \u2192 "), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("SN2"), std::string::npos) << run.out;
}

TEST_F(InventoryCommands, RecordedTextIsEscapedInEveryForm) {
    const auto json = quorl({"inventory", "list", "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_NE(json.out.find(R"("station":"=cmd\t\"bench\"\u202e")"), std::string::npos) << json.out;
    EXPECT_EQ(json.out.front(), '[');
    const auto table = quorl({"inventory", "show", "SN2"});
    EXPECT_NE(table.out.find("\t=cmd\\t\"bench\"\\xE2\\x80\\xAE\t"), std::string::npos)
        << table.out;
    const auto csv = quorl({"inventory", "export", "--csv"});
    EXPECT_NE(csv.out.find(",\"'=cmd\\t\"\"bench\"\"\\xE2\\x80\\xAE\","), std::string::npos)
        << csv.out;
    EXPECT_EQ(quorl({"inventory", "show", "SN9"}).exitCode, 1);
}

} // namespace
} // namespace quorl::cli
