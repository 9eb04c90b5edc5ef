#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorl::inventory {

// A value handed to a statement. Every value goes in bound, never spliced into the
// SQL text, so a serial number or a station name is only ever data.
struct SqlValue {
    std::string bytes;
    bool blob = false;

    SqlValue(std::string text) : bytes(std::move(text)) {}
    SqlValue(const char* text) : bytes(text) {}
    static SqlValue blobOf(std::string bytes) {
        SqlValue v(std::move(bytes));
        v.blob = true;
        return v;
    }
};

// A row as the store gave it: each column's bytes, nothing for NULL.
using SqlRow = std::vector<std::optional<std::string>>;

class SqlError : public std::runtime_error {
public:
    explicit SqlError(const std::string& what, bool notPermitted = false)
        : std::runtime_error(what), notPermitted_(notPermitted) {}
    // The database refused because the user lacks a right (not the owner of a table,
    // no right to make one), rather than because of the statement or the server.
    bool notPermitted() const { return notPermitted_; }

private:
    bool notPermitted_;
};

// The little the inventory needs of a database: statements with values bound to
// $1, $2, ... in order, and transactions. SQLite on one bench, PostgreSQL shared by
// many; the SQL the inventory sends is the same for both.
enum class SqlDialect { Sqlite, Postgres };

class SqlDatabase {
public:
    virtual ~SqlDatabase() = default;
    // Runs one statement; the rows it returns. Columns must be text or blobs (cast
    // numbers to text). Throws SqlError with the database's own words.
    virtual std::vector<SqlRow> run(std::string_view sql,
                                    const std::vector<SqlValue>& values = {}) = 0;
    // Begins a transaction that no other connection's schema work can run beside.
    virtual void beginExclusive() = 0;
    virtual bool tableExists(const std::string& name) = 0;
    // Which database this is, for the few statements written differently for each.
    virtual SqlDialect dialect() const = 0;
};

} // namespace quorl::inventory
