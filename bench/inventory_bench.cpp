// The inventory's cost to an operation and to a question: recording one operation
// (SQLite on the bench, PostgreSQL on a throwaway server of its own), and listing the
// pagers over 100,000 records (10,000 pagers, ten operations each).
#include "inventory/inventory_recorder.h"
#include "inventory/postgres_database.h"
#include "inventory/sqlite_database.h"
#include "inventory/throwaway_postgres.h"
#include "link/sha256.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>

namespace {

using namespace quorl::inventory;

std::filesystem::path scratch() {
    static const auto folder = [] {
        std::string name =
            (std::filesystem::temp_directory_path() / "quorl-inv-bench-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr)
            std::abort();
        return std::filesystem::path(name);
    }();
    return folder;
}

quorl::test::ThrowawayPostgres& server() {
    static quorl::test::ThrowawayPostgres pg;
    return pg;
}

InventoryRecord writeOf(int pager, int n) {
    InventoryRecord r;
    r.id = newRecordId();
    r.at = "2026-" + std::to_string(1 + n % 12 + 100).substr(1) + "-01T08:00:00." +
           std::to_string(100000 + pager % 900000) + "Z";
    r.station = "bench" + std::to_string(pager % 7);
    r.user = "tech";
    r.cradle = "/dev/ttyUSB0";
    r.serialNumber = "SN" + std::to_string(100000 + pager);
    r.model = "TV6VHF5CH001";
    r.firmware = "V0107";
    r.operation = "write";
    r.result = "succeeded";
    r.codeplug.assign(0x4000, static_cast<std::uint8_t>(n));
    r.codeplugSha256 = quorl::sha256Hex(r.codeplug);
    return r;
}

void recordOne(benchmark::State& state, const std::string& url) {
    InventoryRecorder recorder(url, scratch() / "queue.sqlite");
    int n = 0;
    for (auto _ : state)
        if (!recorder.record(writeOf(n++, 1)))
            state.SkipWithError("not recorded");
}

void BM_RecordOneSqlite(benchmark::State& state) {
    recordOne(state, "sqlite://" + (scratch() / "record.sqlite").string());
}
BENCHMARK(BM_RecordOneSqlite)->Unit(benchmark::kMillisecond);

void BM_RecordOnePostgres(benchmark::State& state) {
    if (!server().unavailable().empty()) {
        state.SkipWithError(server().unavailable().c_str());
        return;
    }
    recordOne(state, server().url());
}
BENCHMARK(BM_RecordOnePostgres)->Unit(benchmark::kMillisecond);

void fill(InventoryStore& store) {
    store.database().run("BEGIN");
    // In time order, as a fleet's records arrive: a pager's records lie apart.
    for (int n = 0; n < 10; ++n)
        for (int pager = 0; pager < 10000; ++pager) {
            auto r = writeOf(pager, n);
            store.database().run(
                "INSERT INTO operations (id, at, station, user_name, cradle, serial, model, "
                "firmware, operation, result, message, codeplug_sha256, voice_sha256) VALUES "
                "($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13)",
                {r.id, r.at, r.station, r.user, r.cradle, r.serialNumber, r.model, r.firmware,
                 r.operation, r.result, r.message, r.codeplugSha256, r.voiceSha256});
        }
    store.database().run("COMMIT");
}

void listAll(benchmark::State& state, std::unique_ptr<SqlDatabase> db,
             const std::string& afterFill = {}) {
    InventoryStore store(std::move(db));
    fill(store);
    if (!afterFill.empty())
        store.database().run(afterFill);
    for (auto _ : state) {
        const auto pagers = store.pagers({});
        if (pagers.size() != 10000)
            state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(pagers.data());
    }
}

void BM_List100kSqlite(benchmark::State& state) {
    listAll(state, std::make_unique<SqliteDatabase>(scratch() / "list.sqlite"));
}
BENCHMARK(BM_List100kSqlite)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_List100kPostgres(benchmark::State& state) {
    if (!server().unavailable().empty()) {
        state.SkipWithError(server().unavailable().c_str());
        return;
    }
    {
        PostgresDatabase admin(server().url());
        admin.run("DROP DATABASE IF EXISTS list_bench");
        admin.run("CREATE DATABASE list_bench");
    }
    auto db = std::make_unique<PostgresDatabase>(server().url("list_bench"));
    // What the server's autovacuum does within a minute of a store growing by a tenth; a
    // list right after a bulk load would be planned without any figures.
    listAll(state, std::move(db), "ANALYZE operations");
}
BENCHMARK(BM_List100kPostgres)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(scratch());
    return 0;
}
