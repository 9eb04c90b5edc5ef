#include "link/programming_log.h"

#include "codeplug/whole_write.h"

#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorl {

namespace {

std::string csvField(const std::string& text) {
    std::string clean;
    for (const char c : text)
        clean.push_back(c == '\r' || c == '\n' ? ' ' : c);
    // Messages end in a blank and carry several; the log keeps them readable.
    while (!clean.empty() && clean.back() == ' ')
        clean.pop_back();
    if (clean.find_first_of(",\"") == std::string::npos)
        return clean;
    std::string quoted = "\"";
    for (const char c : clean) {
        if (c == '"')
            quoted.push_back('"');
        quoted.push_back(c);
    }
    return quoted + '"';
}

std::string joined(std::initializer_list<std::string> fields) {
    std::string out;
    for (const auto& f : fields) {
        if (!out.empty())
            out.push_back(',');
        out += csvField(f);
    }
    return out + "\r\n";
}

} // namespace

std::string csvRow(const ProgrammingLogRow& r) {
    return joined({r.time, r.port, r.serialNumber, r.model, r.firmware, r.operation, r.fileName,
                   r.fileSha256, r.result, r.verifyResult});
}

std::string programmingLogHeader() {
    return joined({"Time", "Port", "Serial Number", "Model", "Firmware", "Operation", "File",
                   "SHA-256", "Result", "Verify"});
}

bool appendProgrammingLog(const std::string& path, const std::vector<ProgrammingLogRow>& rows) {
    const int fd = openForAppend(path);
    if (fd < 0)
        return false;
    bool ok = ::flock(fd, LOCK_EX) == 0;
    struct stat st {};
    if (ok && ::fstat(fd, &st) == 0 && st.st_size == 0)
        ok = writeWhole(fd, programmingLogHeader());
    for (const auto& row : rows)
        ok = ok && writeWhole(fd, csvRow(row));
    ok = ::fsync(fd) == 0 && ok;
    ::flock(fd, LOCK_UN);
    return ::close(fd) == 0 && ok;
}

std::string isoTimeNow() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return buf;
}

} // namespace quorl
