#include "codeplug/ppg_file.h"

#include "base/atomic_file_write.h"
#include "base/file_reading.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorl {

PpgReadResult readPpgFile(const std::filesystem::path& path) {
    PpgReadResult result;
    const auto cannotOpen = [&](std::string problem) {
        result.status = PpgReadStatus::CannotOpen;
        result.problem = std::move(problem);
        return result;
    };
    const auto invalid = [&](std::string problem) {
        result.status = PpgReadStatus::InvalidFormat;
        result.problem = std::move(problem);
        return result;
    };
    // Non-blocking, so that opening a FIFO without a writer does not wait for one.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return cannotOpen(openProblem(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return cannotOpen(S_ISDIR(st.st_mode) ? openProblem(EISDIR) : "not a regular file");
    }
    std::vector<char> records(2 * kPpgRecordSize);
    const std::size_t got = readUpTo(fd, records.data(), records.size());
    ::close(fd);
    if (got < kPpgRecordSize)
        return invalid("not a codeplug file (" + std::to_string(st.st_size) +
                       " bytes, a codeplug file has " + std::to_string(kPpgRecordSize) + ")");
    if (!std::equal(kPpgHeader.begin(), kPpgHeader.end(), records.begin()))
        return invalid("not a codeplug file (the header does not match)");
    // A second whole record means this is not a single codeplug.
    if (got == records.size())
        return invalid("holds more than one codeplug");
    auto bytes = result.image.bytes();
    std::transform(records.begin() + static_cast<std::ptrdiff_t>(kPpgHeader.size()),
                   records.begin() + static_cast<std::ptrdiff_t>(kPpgRecordSize), bytes.begin(),
                   [](char c) { return static_cast<std::uint8_t>(c); });
    result.status = PpgReadStatus::Ok;
    return result;
}

std::vector<std::byte> ppgFileBytes(const CodeplugImage& image) {
    std::vector<std::byte> record(kPpgRecordSize);
    std::transform(kPpgHeader.begin(), kPpgHeader.end(), record.begin(),
                   [](char c) { return static_cast<std::byte>(c); });
    const auto bytes = image.bytes();
    std::transform(bytes.begin(), bytes.end(),
                   record.begin() + static_cast<std::ptrdiff_t>(kPpgHeader.size()),
                   [](std::uint8_t b) { return static_cast<std::byte>(b); });
    return record;
}

bool writePpgFile(const std::filesystem::path& path, const CodeplugImage& image,
                  std::string* problem) {
    return writeFileAtomically(path, ppgFileBytes(image), problem);
}

} // namespace quorl
