#include "inventory/sqlite_database.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace quorl::inventory {

namespace {

// Ends a statement on every way out.
struct Statement {
    sqlite3_stmt* s = nullptr;
    ~Statement() { sqlite3_finalize(s); }
};

std::string columnBytes(sqlite3_stmt* s, int i) {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(s, i));
    const int size = sqlite3_column_bytes(s, i);
    return data == nullptr ? std::string() : std::string(data, static_cast<std::size_t>(size));
}

} // namespace

SqliteDatabase::SqliteDatabase(const std::filesystem::path& file) {
    // A new file is made here first, so that it is the user's alone from its first
    // byte. An existing one is left untouched: closing a descriptor of a database file
    // would drop the locks another connection of this process holds on it.
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST)
        throw SqlError(file.string() + ": " + std::strerror(errno));
    if (fd >= 0)
        ::close(fd);
    if (sqlite3_open_v2(file.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX | SQLITE_OPEN_NOFOLLOW,
                        nullptr) != SQLITE_OK) {
        const std::string problem = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqlError(file.string() + ": " + problem);
    }
    sqlite3_busy_timeout(db_, 10000);
    // A throwing constructor runs no destructor: the connection is closed here.
    try {
        run("PRAGMA journal_mode=WAL", {});
        run("PRAGMA synchronous=FULL", {});
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

SqliteDatabase::~SqliteDatabase() {
    sqlite3_close(db_);
}

std::vector<SqlRow> SqliteDatabase::run(std::string_view sql, const std::vector<SqlValue>& values) {
    Statement st;
    if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &st.s, nullptr) !=
        SQLITE_OK)
        throw SqlError(sqlite3_errmsg(db_));
    // $N names the Nth value wherever it stands in the statement.
    for (int i = 1; i <= sqlite3_bind_parameter_count(st.s); ++i) {
        const char* name = sqlite3_bind_parameter_name(st.s, i);
        const std::size_t n = name && name[0] == '$' ? std::strtoul(name + 1, nullptr, 10) : 0;
        if (n < 1 || n > values.size())
            throw SqlError("no value for a parameter");
        const SqlValue& v = values[n - 1];
        const int rc =
            v.blob ? sqlite3_bind_blob64(st.s, i, v.bytes.data(), v.bytes.size(), SQLITE_TRANSIENT)
                   : sqlite3_bind_text64(st.s, i, v.bytes.data(), v.bytes.size(), SQLITE_TRANSIENT,
                                         SQLITE_UTF8);
        if (rc != SQLITE_OK)
            throw SqlError(sqlite3_errmsg(db_));
    }
    std::vector<SqlRow> rows;
    for (;;) {
        const int rc = sqlite3_step(st.s);
        if (rc == SQLITE_DONE)
            return rows;
        if (rc != SQLITE_ROW)
            throw SqlError(sqlite3_errmsg(db_));
        SqlRow row;
        for (int i = 0; i < sqlite3_column_count(st.s); ++i)
            if (sqlite3_column_type(st.s, i) == SQLITE_NULL)
                row.emplace_back();
            else
                row.emplace_back(columnBytes(st.s, i));
        rows.push_back(std::move(row));
    }
}

void SqliteDatabase::beginExclusive() {
    run("BEGIN IMMEDIATE", {});
}

bool SqliteDatabase::tableExists(const std::string& name) {
    return !run("SELECT name FROM sqlite_master WHERE type = 'table' AND name = $1", {name})
                .empty();
}

} // namespace quorl::inventory
