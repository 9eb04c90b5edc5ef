// The shared store on a real PostgreSQL server, one for all these cases: stations
// writing at once, a server that goes away mid-way, and the station role.
#include "inventory/inventory_recorder.h"
#include "inventory/postgres_database.h"
#include "link/sha256.h"
#include "pager_list_check.h"
#include "throwaway_postgres.h"

#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorl::inventory {
namespace {

class SharedInventory : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new test::ThrowawayPostgres(); }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        if (!server->unavailable().empty())
            GTEST_SKIP() << "no PostgreSQL for this test: " << server->unavailable();
    }
    // A database of the test's own, so no case sees another's records.
    std::string freshDatabase(const std::string& name) {
        PostgresDatabase admin(server->url());
        admin.run("DROP DATABASE IF EXISTS " + name);
        admin.run("CREATE DATABASE " + name);
        return server->url(name);
    }
    static std::string count(const std::string& url, const std::string& what) {
        PostgresDatabase db(url);
        return *db.run("SELECT CAST(" + what + " AS TEXT) FROM operations").at(0).at(0);
    }

    static test::ThrowawayPostgres* server;
    test::TempDir dir;
};

test::ThrowawayPostgres* SharedInventory::server = nullptr;

InventoryRecord pagerRecord(int n) {
    InventoryRecord r;
    r.serialNumber = "SN" + std::to_string(n);
    r.operation = "write";
    r.result = "succeeded";
    r.codeplug.assign(0x4000, static_cast<std::uint8_t>(n % 3));
    r.codeplugSha256 = sha256Hex(r.codeplug);
    return r;
}

TEST_F(SharedInventory, FourStationsAtOnceNeitherLoseNorDoubleARecord) {
    const std::string url = freshDatabase("four_stations");
    std::vector<pid_t> stations;
    for (int s = 0; s < 4; ++s) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            // A station of its own: its own queue, and the store made by whoever is first.
            const auto queue = dir / ("queue" + std::to_string(s)) / "q.sqlite";
            InventoryRecorder recorder(url, queue);
            bool all = true;
            for (int i = 0; i < 50; ++i)
                all = recorder.record(pagerRecord(s * 50 + i)) && all;
            // With the server up the whole time, no record ever had to wait.
            ::_exit(all && !std::filesystem::exists(queue) ? 0 : 1);
        }
        stations.push_back(pid);
    }
    for (const pid_t pid : stations) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(count(url, "COUNT(*)"), "200");
    EXPECT_EQ(count(url, "COUNT(DISTINCT serial)"), "200");
    EXPECT_EQ(count(url, "COUNT(DISTINCT id)"), "200");
}

TEST_F(SharedInventory, AStoppedServerQueuesAndTheQueueIsSentWhenItIsBack) {
    const std::string url = freshDatabase("server_away");
    InventoryRecorder recorder(url, dir / "queue/q.sqlite");
    ASSERT_TRUE(recorder.record(pagerRecord(1)));
    ASSERT_TRUE(server->stop());
    ASSERT_TRUE(recorder.record(pagerRecord(2)));
    ASSERT_TRUE(recorder.record(pagerRecord(3)));
    EXPECT_EQ(recorder.queued(), 2);
    EXPECT_FALSE(recorder.sync());
    ASSERT_TRUE(server->start());
    EXPECT_EQ(recorder.sync(), 2);
    EXPECT_EQ(recorder.sync(), 0);
    EXPECT_EQ(count(url, "COUNT(*)"), "3");
    // What waited in the queue arrives byte for byte.
    InventoryStore store(std::make_unique<PostgresDatabase>(url));
    EXPECT_EQ(store.codeplug(pagerRecord(2).codeplugSha256), pagerRecord(2).codeplug);
}

TEST_F(SharedInventory, ListsEachPagerByItsLastOperation) {
    InventoryStore store(std::make_unique<PostgresDatabase>(freshDatabase("pager_list")));
    test::expectPagersListedByTheirLastOperation(store);
}

// The station role's script, run by the database's owner.
void addStation(const std::string& url, const std::string& login) {
    const std::string script =
        test::fileText(QUORL_TEST_SOURCE_DIR "/inventory/postgresql_station_role.sql");
    ASSERT_FALSE(script.empty());
    PostgresDatabase owner(url);
    owner.run("DROP ROLE IF EXISTS " + login);
    owner.runScript(script);
    owner.run("CREATE ROLE " + login + " LOGIN IN ROLE quorl_station");
}

// A newer program at a station of an older store may not change its tables: it is told
// that the owner must, and records again once the owner has upgraded the store.
TEST_F(SharedInventory, AStationOfAnOlderStoreIsToldTheOwnerMustUpgradeIt) {
    const std::string url = freshDatabase("older_store");
    {
        PostgresDatabase owner(url);
        upgradeSchema(owner, 1);
    }
    addStation(url, "bench8");
    const std::string asStation = url.substr(0, url.find("&user=")) + "&user=bench8";
    try {
        InventoryStore store(std::make_unique<PostgresDatabase>(asStation));
        ADD_FAILURE() << "a station changed the owner's tables";
    } catch (const SqlError& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("the inventory's schema is at version 1 and this program needs "
                            "version 3, which only the database's owner may make: the owner "
                            "must run \"quorl inventory upgrade\" once ("),
                  std::string::npos)
            << what;
    }
    const auto upgrade = test::runProgram(
        {std::string(QUORL_TEST_BIN_DIR) + "/quorl", "--inventory", url, "inventory", "upgrade"});
    EXPECT_EQ(upgrade.exitCode, 0) << upgrade.err;
    EXPECT_EQ(upgrade.out, "The inventory's schema is at version 3\n");
    InventoryRecorder recorder(asStation, dir / "queue/q.sqlite");
    ASSERT_TRUE(recorder.record(pagerRecord(1)));
    EXPECT_EQ(recorder.queued(), 0);
}

TEST_F(SharedInventory, TheStationRoleMayRecordAndAskButNotChangeHistory) {
    const std::string url = freshDatabase("station_role");
    InventoryStore(std::make_unique<PostgresDatabase>(url)).add(pagerRecord(1));
    addStation(url, "bench7");
    const std::string asStation = url.substr(0, url.find("&user=")) + "&user=bench7";
    InventoryRecorder recorder(asStation, dir / "queue/q.sqlite");
    ASSERT_TRUE(recorder.record(pagerRecord(2)));
    EXPECT_EQ(recorder.queued(), 0);
    PostgresDatabase station(asStation);
    EXPECT_EQ(station.run("SELECT serial FROM operations ORDER BY serial").size(), 2u);
    EXPECT_THROW(station.run("DELETE FROM operations"), SqlError);
    EXPECT_THROW(station.run("UPDATE operations SET result = 'failed'"), SqlError);
}

} // namespace
} // namespace quorl::inventory
