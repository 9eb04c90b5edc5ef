#include "link/programming_log.h"

#include "base/printable_text.h"
#include "base/whole_write.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorl {

namespace {

// What a spreadsheet would take for the start of a formula (OWASP's CSV injection
// advice).
bool startsLikeFormula(const std::string& text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string::npos;
}

} // namespace

std::string csvField(const std::string& text) {
    std::string lineBreaksBlank = text;
    for (char& c : lineBreaksBlank)
        if (c == '\r' || c == '\n')
            c = ' ';
    // Built piece by piece: GCC 12 at -O3 reports text + text as an overlapping copy.
    std::string clean;
    if (startsLikeFormula(text))
        clean.push_back('\'');
    clean.append(printableText(lineBreaksBlank));
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

namespace {

std::string joined(std::initializer_list<std::string> fields) {
    std::string out;
    bool first = true;
    for (const auto& f : fields) {
        if (!first)
            out.push_back(',');
        first = false;
        out += csvField(f);
    }
    return out + "\r\n";
}

} // namespace

std::string csvRow(const ProgrammingLogRow& r) {
    return joined({r.started, r.ended, r.port, r.serialNumber, r.model, r.firmware, r.operation,
                   r.fileName, r.size, r.fileSha256, r.result, r.verifyResult});
}

std::string programmingLogHeader() {
    return joined({"Started", "Ended", "Port", "Serial Number", "Model", "Firmware", "Operation",
                   "File", "Size", "SHA-256", "Result", "Verify"});
}

bool appendProgrammingLog(const std::string& path, const std::vector<ProgrammingLogRow>& rows,
                          std::string* problem) {
    const int fd = openForAppend(path, problem);
    if (fd < 0)
        return false;
    bool ok = ::flock(fd, LOCK_EX) == 0;
    struct stat st {};
    if (ok && ::fstat(fd, &st) == 0 && st.st_size == 0)
        ok = appendWhole(fd, programmingLogHeader());
    for (const auto& row : rows)
        ok = ok && appendWhole(fd, csvRow(row));
    ok = ok && ::fsync(fd) == 0;
    const int error = errno;
    ::flock(fd, LOCK_UN);
    if (::close(fd) != 0 && ok)
        ok = false;
    else
        errno = error;
    if (!ok && problem != nullptr)
        *problem = path + ": " + std::strerror(errno);
    return ok;
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
