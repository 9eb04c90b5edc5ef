#pragma once

#include <filesystem>
#include <string>

namespace quorl::test {

// A PostgreSQL server of the test's own: a new cluster in a temporary folder, run
// by an unprivileged user (postgres when the tests run as root), listening on a
// Unix socket in that folder only. Stopped and removed with the object.
class ThrowawayPostgres {
public:
    ThrowawayPostgres();
    ~ThrowawayPostgres();
    ThrowawayPostgres(const ThrowawayPostgres&) = delete;
    ThrowawayPostgres& operator=(const ThrowawayPostgres&) = delete;

    // Empty when the server runs; else why it could not be started.
    const std::string& unavailable() const { return unavailable_; }
    // A libpq URL of `database` on this server.
    std::string url(const std::string& database = "postgres") const;
    bool stop();
    bool start();

private:
    bool run(const std::string& command) const;

    std::filesystem::path folder_, bin_;
    std::string asUser_, unavailable_;
    bool running_ = false;
};

} // namespace quorl::test
