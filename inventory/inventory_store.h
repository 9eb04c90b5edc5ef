#pragma once

#include "inventory/inventory_record.h"
#include "inventory/sql_database.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorl::inventory {

// The schema's versions, each step run in order in one transaction. Step N brings
// a store from version N-1 to N; a store is never taken back.
inline constexpr int kSchemaVersion = 3;
void upgradeSchema(SqlDatabase& db, int toVersion = kSchemaVersion);
int schemaVersion(SqlDatabase& db);

// Every pager ever read or written: the operations and, once per hash, the codeplugs.
// All methods throw SqlError when the database fails.
class InventoryStore {
public:
    // Brings the schema up to date first.
    explicit InventoryStore(std::unique_ptr<SqlDatabase> db);

    // Adds the record and its codeplug; a record whose id is there already is left.
    void add(const InventoryRecord& record);
    // Each pager (by serial number) with its last operation, when that matches.
    std::vector<InventoryRecord> pagers(const InventoryFilter& filter);
    // One pager's operations, oldest first.
    std::vector<InventoryRecord> history(const std::string& serialNumber);
    // Every operation, oldest first; with the codeplug bytes when `withCodeplugs`.
    std::vector<InventoryRecord> all(bool withCodeplugs = false);
    std::optional<std::vector<std::uint8_t>> codeplug(const std::string& sha256);
    // Takes a record out (the local queue, once the record has been sent).
    void remove(const std::string& id);

    SqlDatabase& database() { return *db_; }

private:
    std::vector<InventoryRecord> select(std::string_view sql, const std::vector<SqlValue>& values);
    std::unique_ptr<SqlDatabase> db_;
};

} // namespace quorl::inventory
