#include "inventory/inventory_store.h"

#include <algorithm>
#include <string_view>

namespace quorl::inventory {

namespace {

// The columns of a record, in the order `recordOf` reads them.
constexpr std::string_view kColumns =
    "id, at, station, user_name, cradle, serial, model, firmware, operation, result, message, "
    "codeplug_sha256, voice_sha256";

std::string text(const std::optional<std::string>& column) {
    return column.value_or(std::string());
}

// The columns' bytes move into the record: a list of many pagers copies nothing twice.
std::string text(std::optional<std::string>&& column) {
    return column ? std::move(*column) : std::string();
}

InventoryRecord recordOf(SqlRow&& r) {
    if (r.size() < 13)
        throw SqlError("the inventory gave a record of " + std::to_string(r.size()) + " columns");
    return {text(std::move(r[0])),  text(std::move(r[1])),
            text(std::move(r[2])),  text(std::move(r[3])),
            text(std::move(r[4])),  text(std::move(r[5])),
            text(std::move(r[6])),  text(std::move(r[7])),
            text(std::move(r[8])),  text(std::move(r[9])),
            text(std::move(r[10])), text(std::move(r[11])),
            text(std::move(r[12])), {}};
}

std::vector<std::string> stepStatements(int step, SqlDialect dialect) {
    const std::string blobType = dialect == SqlDialect::Postgres ? "BYTEA" : "BLOB";
    switch (step) {
    case 1:
        return {"CREATE TABLE inventory_schema (version INTEGER NOT NULL)",
                "CREATE TABLE operations (id TEXT PRIMARY KEY, at TEXT NOT NULL, "
                "station TEXT NOT NULL, user_name TEXT NOT NULL, cradle TEXT NOT NULL, "
                "serial TEXT NOT NULL, model TEXT NOT NULL, firmware TEXT NOT NULL, "
                "operation TEXT NOT NULL, result TEXT NOT NULL, message TEXT NOT NULL, "
                "codeplug_sha256 TEXT NOT NULL)",
                "CREATE TABLE codeplugs (sha256 TEXT PRIMARY KEY, bytes " + blobType + " NOT NULL)",
                "INSERT INTO inventory_schema (version) VALUES (1)"};
    case 2:
        // The voice slots written, and a pager's history found without a full scan.
        return {"ALTER TABLE operations ADD COLUMN voice_sha256 TEXT NOT NULL DEFAULT ''",
                "CREATE INDEX operations_by_pager ON operations (serial, at)",
                "UPDATE inventory_schema SET version = 2"};
    case 3:
        // A pager's newest record, ties broken by id, read in the index's own order: the
        // list of pagers needs neither a sort nor a second look-up.
        return {"CREATE INDEX operations_newest ON operations (serial, at, id)",
                "DROP INDEX operations_by_pager", "UPDATE inventory_schema SET version = 3"};
    default:
        return {};
    }
}

std::string bytesText(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

} // namespace

int schemaVersion(SqlDatabase& db) {
    if (!db.tableExists("inventory_schema"))
        return 0;
    const auto rows = db.run("SELECT CAST(version AS TEXT) FROM inventory_schema");
    return rows.empty() ? 0 : std::stoi(text(rows.front().at(0)));
}

void upgradeSchema(SqlDatabase& db, int toVersion) {
    db.beginExclusive();
    try {
        const int version = schemaVersion(db);
        if (version > kSchemaVersion)
            throw SqlError("the inventory was made by a newer version of this program (schema " +
                           std::to_string(version) + ")");
        try {
            for (int step = version + 1; step <= toVersion; ++step)
                for (const auto& statement : stepStatements(step, db.dialect()))
                    db.run(statement);
        } catch (const SqlError& e) {
            if (!e.notPermitted())
                throw;
            // A station's login may record but not change the tables: the owner must.
            throw SqlError(
                (version == 0 ? std::string("the inventory has no tables yet")
                              : "the inventory's schema is at version " + std::to_string(version)) +
                    " and this program needs version " + std::to_string(toVersion) +
                    ", which only the database's owner may make: the owner must run "
                    "\"quorl inventory upgrade\" once (" +
                    e.what() + ")",
                true);
        }
        db.run("COMMIT");
    } catch (...) {
        // A failed step leaves the store as it was.
        try {
            db.run("ROLLBACK");
        } catch (const SqlError&) {
        }
        throw;
    }
}

InventoryStore::InventoryStore(std::unique_ptr<SqlDatabase> db) : db_(std::move(db)) {
    upgradeSchema(*db_);
}

void InventoryStore::add(const InventoryRecord& r) {
    db_->run("BEGIN");
    try {
        if (!r.codeplug.empty())
            db_->run("INSERT INTO codeplugs (sha256, bytes) VALUES ($1, $2) "
                     "ON CONFLICT (sha256) DO NOTHING",
                     {r.codeplugSha256, SqlValue::blobOf(bytesText(r.codeplug))});
        db_->run("INSERT INTO operations (" + std::string(kColumns) +
                     ") VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13) "
                     "ON CONFLICT (id) DO NOTHING",
                 {r.id, r.at, r.station, r.user, r.cradle, r.serialNumber, r.model, r.firmware,
                  r.operation, r.result, r.message, r.codeplugSha256, r.voiceSha256});
        db_->run("COMMIT");
    } catch (...) {
        try {
            db_->run("ROLLBACK");
        } catch (const SqlError&) {
        }
        throw;
    }
}

std::vector<InventoryRecord> InventoryStore::select(std::string_view sql,
                                                    const std::vector<SqlValue>& values) {
    auto rows = db_->run(sql, values);
    std::vector<InventoryRecord> records;
    records.reserve(rows.size());
    for (auto& row : rows)
        records.push_back(recordOf(std::move(row)));
    return records;
}

std::vector<InventoryRecord> InventoryStore::pagers(const InventoryFilter& f) {
    // The filters apply to each pager's newest record.
    const std::string filters = " WHERE (CAST($1 AS TEXT) = '' OR o.serial = $1) "
                                "AND (CAST($2 AS TEXT) = '' OR o.model = $2) "
                                "AND (CAST($3 AS TEXT) = '' OR o.at >= $3) "
                                "AND (CAST($4 AS TEXT) = '' OR o.station = $4)";
    const std::vector<SqlValue> values{f.serialNumber, f.model, f.since, f.station};
    std::vector<InventoryRecord> rows;
    if (db_->dialect() == SqlDialect::Postgres) {
        // One backward walk of the (serial, at, id) index, keeping the first row of each
        // pager: no join, no hash of every record, ties already broken by id.
        rows = select("SELECT * FROM (SELECT DISTINCT ON (serial) " + std::string(kColumns) +
                          " FROM operations ORDER BY serial DESC, at DESC, id DESC) o" + filters,
                      values);
    } else {
        // SQLite has no DISTINCT ON: each pager's newest time from the index alone, then
        // its row; on a tie the greatest id, settled before the filters see the rows.
        std::string columns;
        for (std::string_view rest = kColumns; !rest.empty();) {
            const auto comma = rest.find(", ");
            columns.append("o.").append(rest.substr(0, comma));
            if (comma == std::string_view::npos)
                break;
            columns.append(", ");
            rest.remove_prefix(comma + 2);
        }
        rows = select("SELECT " + columns +
                          " FROM operations o JOIN (SELECT serial, MAX(at) AS newest "
                          "FROM operations GROUP BY serial) last "
                          "ON o.serial = last.serial AND o.at = last.newest" +
                          filters +
                          " AND NOT EXISTS (SELECT 1 FROM operations t WHERE t.serial = o.serial "
                          "AND t.at = o.at AND t.id > o.id)",
                      values);
    }
    // Sorted here rather than by the database, which would sort whole rows on disk in a
    // temporary tree: this is a third of what a list of 100,000 records costs in SQLite.
    std::ranges::sort(rows, {}, &InventoryRecord::serialNumber);
    return rows;
}

std::vector<InventoryRecord> InventoryStore::history(const std::string& serialNumber) {
    return select("SELECT " + std::string(kColumns) +
                      " FROM operations WHERE serial = $1 ORDER BY at, id",
                  {serialNumber});
}

std::vector<InventoryRecord> InventoryStore::all(bool withCodeplugs) {
    auto records =
        select("SELECT " + std::string(kColumns) + " FROM operations ORDER BY at, id", {});
    if (withCodeplugs)
        for (auto& r : records)
            if (!r.codeplugSha256.empty())
                r.codeplug = codeplug(r.codeplugSha256).value_or(std::vector<std::uint8_t>{});
    return records;
}

std::optional<std::vector<std::uint8_t>> InventoryStore::codeplug(const std::string& sha256) {
    const auto rows = db_->run("SELECT bytes FROM codeplugs WHERE sha256 = $1", {sha256});
    if (rows.empty() || !rows.front().at(0))
        return std::nullopt;
    const std::string& bytes = *rows.front().at(0);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void InventoryStore::remove(const std::string& id) {
    db_->run("DELETE FROM operations WHERE id = $1", {id});
    db_->run("DELETE FROM codeplugs WHERE sha256 NOT IN (SELECT codeplug_sha256 FROM operations)");
}

} // namespace quorl::inventory
