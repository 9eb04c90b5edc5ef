#include "throwaway_postgres.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <pwd.h>
#include <unistd.h>

namespace quorl::test {

namespace {

std::string firstLineOf(const char* command) {
    std::string line;
    if (FILE* p = ::popen(command, "r")) {
        std::array<char, 512> buffer{};
        if (std::fgets(buffer.data(), buffer.size(), p))
            line = buffer.data();
        ::pclose(p);
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

// A path in single quotes for the shell (ours: made by mkdtemp, no quotes in it).
// Appended piece by piece: GCC 12 at -O3 reports text + text as an overlapping copy.
std::string quoted(const std::filesystem::path& path) {
    std::string text(1, '\'');
    text.append(path.string());
    text.push_back('\'');
    return text;
}

std::string words(std::initializer_list<std::string> parts) {
    std::string text;
    for (const auto& p : parts) {
        if (!text.empty())
            text.push_back(' ');
        text.append(p);
    }
    return text;
}

} // namespace

ThrowawayPostgres::ThrowawayPostgres() {
    bin_ = firstLineOf("pg_config --bindir 2>/dev/null");
    if (bin_.empty() || !std::filesystem::exists(bin_ / "initdb")) {
        unavailable_ = "no PostgreSQL server programs (Debian's postgresql package)";
        return;
    }
    // As root the server runs as the postgres user, who cannot reach the test's own
    // private TMPDIR: the folder then goes into /tmp itself.
    const std::filesystem::path parent =
        ::geteuid() == 0 ? std::filesystem::path("/tmp") : std::filesystem::temp_directory_path();
    std::string name = (parent / "quorl-pg-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr) {
        unavailable_ = "cannot make a temporary folder";
        return;
    }
    folder_ = name;
    // initdb refuses root: the server runs as the postgres user then.
    if (::geteuid() == 0) {
        const passwd* pg = ::getpwnam("postgres");
        if (pg == nullptr) {
            unavailable_ = "running as root and there is no postgres user to run the server";
            return;
        }
        if (::chown(folder_.c_str(), pg->pw_uid, pg->pw_gid) != 0) {
            unavailable_ = "cannot hand the temporary folder to the postgres user";
            return;
        }
        asUser_ = "runuser -u postgres -- ";
    }
    if (!run(words({quoted(bin_ / "initdb"), "-D", quoted(folder_ / "data"),
                    "-U quorl -A trust --no-sync -E UTF8 --locale=C"}))) {
        unavailable_ = "initdb failed (see its output above)";
        return;
    }
    if (!start())
        unavailable_ = "the server did not start (see its log in the temporary folder)";
}

ThrowawayPostgres::~ThrowawayPostgres() {
    if (running_)
        stop();
    std::error_code ec;
    if (!folder_.empty())
        std::filesystem::remove_all(folder_, ec);
}

bool ThrowawayPostgres::run(const std::string& command) const {
    std::string line = asUser_;
    line.append(command).append(" >/dev/null");
    return std::system(line.c_str()) == 0;
}

bool ThrowawayPostgres::start() {
    // No TCP at all; the socket lives in the test's own folder.
    std::string options = "\"-c listen_addresses='' -c fsync=off -k ";
    options.append(quoted(folder_)).push_back('"');
    running_ = run(words({quoted(bin_ / "pg_ctl"), "-D", quoted(folder_ / "data"), "-l",
                          quoted(folder_ / "server.log"), "-w -o", options, "start"}));
    return running_;
}

bool ThrowawayPostgres::stop() {
    const bool stopped =
        run(words({quoted(bin_ / "pg_ctl"), "-D", quoted(folder_ / "data"), "-w -m fast stop"}));
    running_ = running_ && !stopped;
    return stopped;
}

std::string ThrowawayPostgres::url(const std::string& database) const {
    std::string text = "postgresql:///";
    text.append(database).append("?host=").append(folder_.string()).append("&user=quorl");
    return text;
}

} // namespace quorl::test
