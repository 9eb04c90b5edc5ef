// The bench's own store: records, codeplugs kept once per hash, the questions asked
// of it, the schema's upgrade, and the queue that keeps records while a store is away.
#include "inventory/inventory_recorder.h"
#include "inventory/inventory_store.h"
#include "inventory/sqlite_database.h"
#include "link/sha256.h"
#include "pager_list_check.h"

#include "tests/support/test_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace quorl::inventory {
namespace {

std::vector<std::uint8_t> codeplugFilledWith(std::uint8_t fill) {
    std::vector<std::uint8_t> bytes(0x4000, fill);
    bytes[0x0110] = 0x00; // a zero byte must come back too
    return bytes;
}

InventoryRecord record(std::string id, std::string at, std::string serial, std::string station,
                       std::vector<std::uint8_t> codeplug = {}) {
    auto r = test::recordAt(std::move(id), std::move(at), std::move(serial), std::move(station));
    if (!codeplug.empty()) {
        r.codeplugSha256 = sha256Hex(codeplug);
        r.codeplug = std::move(codeplug);
    }
    return r;
}

std::string count(SqlDatabase& db, const std::string& table) {
    return *db.run("SELECT CAST(COUNT(*) AS TEXT) FROM " + table).at(0).at(0);
}

TEST(InventoryStore, CodeplugsComeBackByteExactAndAreKeptOncePerHash) {
    test::TempDir dir;
    InventoryStore store(std::make_unique<SqliteDatabase>(dir / "inv.sqlite"));
    const auto a = codeplugFilledWith(0x5A);
    const auto b = codeplugFilledWith(0xFF);
    store.add(record("1", "2026-01-01T10:00:00.000000Z", "SN1", "bench1", a));
    store.add(record("2", "2026-01-02T10:00:00.000000Z", "SN2", "bench1", a));
    store.add(record("3", "2026-01-03T10:00:00.000000Z", "SN1", "bench1", b));
    EXPECT_EQ(store.codeplug(sha256Hex(a)), a);
    EXPECT_EQ(store.codeplug(sha256Hex(b)), b);
    EXPECT_EQ(count(store.database(), "codeplugs"), "2");
    // Made with mode 0600: the pagers' codeplugs are the bench's alone.
    struct stat st {};
    ASSERT_EQ(::stat((dir / "inv.sqlite").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(InventoryStore, ListsEachPagerByItsLastOperation) {
    test::TempDir dir;
    InventoryStore store(std::make_unique<SqliteDatabase>(dir / "inv.sqlite"));
    test::expectPagersListedByTheirLastOperation(store);
    const auto history = store.history("SN1");
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[0].station, "bench1");
    EXPECT_EQ(store.history("SN2").at(0).station, "x'); DROP TABLE operations;--");
    EXPECT_EQ(store.all().size(), 6u);
}

TEST(InventorySchema, AStoreOfTheFirstVersionIsUpgradedWithItsRecords) {
    test::TempDir dir;
    {
        SqliteDatabase first(dir / "old.sqlite");
        upgradeSchema(first, 1);
        first.run("INSERT INTO operations (id, at, station, user_name, cradle, serial, model, "
                  "firmware, operation, result, message, codeplug_sha256) VALUES ('old', "
                  "'2025-06-01T08:00:00.000000Z', 'bench', 'tech', 'ttyUSB0', 'SN9', 'VP-200', "
                  "'V1.05', 'read', 'succeeded', '', '')");
        ASSERT_EQ(schemaVersion(first), 1);
    }
    InventoryStore store(std::make_unique<SqliteDatabase>(dir / "old.sqlite"));
    EXPECT_EQ(schemaVersion(store.database()), kSchemaVersion);
    const auto history = store.history("SN9");
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].firmware, "V1.05");
    EXPECT_EQ(history[0].voiceSha256, "");
    auto voiced = record("new", "2026-01-01T00:00:00.000000Z", "SN9", "bench");
    voiced.voiceSha256 = "ab;cd";
    store.add(voiced);
    EXPECT_EQ(store.history("SN9").back().voiceSha256, "ab;cd");
}

TEST(InventoryRecorder, RecordsWaitInTheQueueAndAreSentOnceWhenTheStoreIsBack) {
    test::TempDir dir;
    const auto away = dir / "shared"; // not there yet: the store cannot be opened
    InventoryRecorder recorder("sqlite://" + (away / "inv.sqlite").string(),
                               dir / "queue/q.sqlite");
    const auto a = codeplugFilledWith(0x11);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(recorder.record(record({}, {}, "SN" + std::to_string(i), {}, a)));
    EXPECT_EQ(recorder.queued(), 3);
    std::string problem;
    EXPECT_FALSE(recorder.sync(&problem));
    EXPECT_NE(problem, "");

    std::filesystem::create_directory(away);
    ASSERT_TRUE(recorder.record(record({}, {}, "SN3", {})));
    EXPECT_EQ(recorder.queued(), 0);
    EXPECT_EQ(recorder.sync(), 0);
    InventoryStore store(std::make_unique<SqliteDatabase>(away / "inv.sqlite"));
    const auto all = store.all(true);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].codeplug, a); // the queued codeplug travelled with its record
    EXPECT_EQ(all[0].station, stationName());
    EXPECT_EQ(all[0].id.size(), 32u);
}

TEST(InventoryLocation, UrlsAndPasswordsNeverShown) {
    std::string problem;
    using Kind = InventoryLocation::Kind;
    EXPECT_EQ(parseInventoryUrl("none", problem)->kind, Kind::None);
    EXPECT_EQ(parseInventoryUrl("sqlite:///srv/inv.sqlite", problem)->target, "/srv/inv.sqlite");
    EXPECT_EQ(parseInventoryUrl("postgresql://db.example/fleet", problem)->kind, Kind::Postgres);
    EXPECT_FALSE(parseInventoryUrl("sqlite://relative.sqlite", problem));
    EXPECT_FALSE(parseInventoryUrl("mysql://u:secret@h/db", problem));
    EXPECT_EQ(problem.find("secret"), std::string::npos) << problem;
    EXPECT_EQ(withoutPassword("postgresql://tech:s3cr3t@db/fleet"),
              "postgresql://tech:***@db/fleet");
    EXPECT_EQ(withoutPassword("host=db password=s3cr3t dbname=fleet"),
              "host=db password=*** dbname=fleet");
}

} // namespace
} // namespace quorl::inventory
