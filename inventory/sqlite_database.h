#pragma once

#include "inventory/sql_database.h"

#include <filesystem>

struct sqlite3;

namespace quorl::inventory {

// An SQLite file. A new file is made with mode 0600 (its folder is the caller's to
// keep private); writers wait for each other rather than fail, and a commit reaches
// the disk before it returns.
class SqliteDatabase : public SqlDatabase {
public:
    // Throws SqlError when the file cannot be opened or made.
    explicit SqliteDatabase(const std::filesystem::path& file);
    ~SqliteDatabase() override;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    std::vector<SqlRow> run(std::string_view sql,
                            const std::vector<SqlValue>& values = {}) override;
    void beginExclusive() override;
    bool tableExists(const std::string& name) override;
    SqlDialect dialect() const override { return SqlDialect::Sqlite; }

private:
    sqlite3* db_ = nullptr;
};

} // namespace quorl::inventory
