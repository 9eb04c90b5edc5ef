#include "inventory/postgres_database.h"

#include <libpq-fe.h>
#include <memory>
#include <string_view>

namespace quorl::inventory {

namespace {

struct ResultFree {
    void operator()(PGresult* r) const { PQclear(r); }
};

std::string firstLine(const char* text) {
    std::string s = text ? text : "";
    return s.substr(0, s.find('\n'));
}

} // namespace

PostgresDatabase::PostgresDatabase(const std::string& connection) {
    conn_ = PQconnectdb(connection.c_str());
    if (PQstatus(conn_) != CONNECTION_OK) {
        // libpq's message names the host and the reason, never the password.
        const std::string problem = firstLine(PQerrorMessage(conn_));
        PQfinish(conn_);
        conn_ = nullptr;
        throw SqlError(problem);
    }
    // A throwing constructor runs no destructor: the connection is closed here.
    try {
        run("SET client_min_messages TO warning", {});
    } catch (...) {
        PQfinish(conn_);
        conn_ = nullptr;
        throw;
    }
}

PostgresDatabase::~PostgresDatabase() {
    PQfinish(conn_);
}

std::vector<SqlRow> PostgresDatabase::run(std::string_view sql,
                                          const std::vector<SqlValue>& values) {
    std::vector<const char*> data;
    std::vector<int> lengths, formats;
    for (const auto& v : values) {
        data.push_back(v.bytes.data());
        lengths.push_back(static_cast<int>(v.bytes.size()));
        formats.push_back(v.blob ? 1 : 0);
    }
    // Results in binary: text columns arrive as their bytes, blobs as theirs.
    std::unique_ptr<PGresult, ResultFree> result(
        PQexecParams(conn_, std::string(sql).c_str(), static_cast<int>(values.size()), nullptr,
                     data.data(), lengths.data(), formats.data(), 1));
    const auto status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const char* state = PQresultErrorField(result.get(), PG_DIAG_SQLSTATE);
        // Class 42501: insufficient_privilege.
        throw SqlError(firstLine(PQresultErrorMessage(result.get())),
                       state != nullptr && std::string_view(state) == "42501");
    }
    std::vector<SqlRow> rows;
    for (int r = 0; r < PQntuples(result.get()); ++r) {
        SqlRow row;
        for (int c = 0; c < PQnfields(result.get()); ++c)
            if (PQgetisnull(result.get(), r, c))
                row.emplace_back();
            else
                row.emplace_back(
                    std::string(PQgetvalue(result.get(), r, c),
                                static_cast<std::size_t>(PQgetlength(result.get(), r, c))));
        rows.push_back(std::move(row));
    }
    return rows;
}

void PostgresDatabase::runScript(const std::string& script) {
    std::unique_ptr<PGresult, ResultFree> result(PQexec(conn_, script.c_str()));
    const auto status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw SqlError(firstLine(PQresultErrorMessage(result.get())));
}

void PostgresDatabase::beginExclusive() {
    run("BEGIN", {});
    // Held to the end of the transaction: stations starting at once make the schema once.
    run("SELECT CAST(pg_advisory_xact_lock(7306) AS TEXT)", {});
}

bool PostgresDatabase::tableExists(const std::string& name) {
    return !run("SELECT table_name::text FROM information_schema.tables "
                "WHERE table_schema = current_schema() AND table_name = $1",
                {name})
                .empty();
}

} // namespace quorl::inventory
