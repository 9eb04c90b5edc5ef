#pragma once

#include "inventory/sql_database.h"

typedef struct pg_conn PGconn;

namespace quorl::inventory {

// A PostgreSQL database through libpq. The connection text is libpq's own
// (postgresql://host/db, service=..., environment), so credentials come from the
// password file, the service file or the environment and TLS from sslmode; a
// password never has to be written on a command line.
class PostgresDatabase : public SqlDatabase {
public:
    // Throws SqlError when the server cannot be reached or refuses.
    explicit PostgresDatabase(const std::string& connection);
    ~PostgresDatabase() override;
    PostgresDatabase(const PostgresDatabase&) = delete;
    PostgresDatabase& operator=(const PostgresDatabase&) = delete;

    std::vector<SqlRow> run(std::string_view sql,
                            const std::vector<SqlValue>& values = {}) override;
    void beginExclusive() override;
    bool tableExists(const std::string& name) override;
    SqlDialect dialect() const override { return SqlDialect::Postgres; }
    // Runs a script of several statements as it stands, no values bound: for the
    // administrator's own files (the station role), never for recorded text.
    void runScript(const std::string& script);

private:
    PGconn* conn_ = nullptr;
};

} // namespace quorl::inventory
