#include "audio/wav_data_check.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorl {

namespace {

std::uint32_t le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool readAt(int fd, unsigned char* into, std::size_t size, off_t at) {
    return ::pread(fd, into, size, at) == static_cast<ssize_t>(size);
}

std::optional<std::string> walkChunks(int fd, off_t fileSize) {
    unsigned char head[12];
    if (!readAt(fd, head, sizeof head, 0) || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "WAVE", 4) != 0)
        return "not a RIFF WAVE file";
    bool format = false;
    off_t at = 12;
    // Chunks are read one after another; a file of junk runs out of bytes quickly.
    while (at + 8 <= fileSize) {
        unsigned char chunk[8];
        if (!readAt(fd, chunk, sizeof chunk, at))
            return "cannot be read";
        const std::uint32_t size = le32(chunk + 4);
        const off_t left = fileSize - at - 8;
        const std::string name(reinterpret_cast<const char*>(chunk), 4);
        if (name == "data") {
            if (!format)
                return "the data chunk comes before the format chunk";
            if (static_cast<off_t>(size) > left)
                return "the data chunk claims " + std::to_string(size) + " bytes; the file holds " +
                       std::to_string(left);
            return std::nullopt;
        }
        if (static_cast<off_t>(size) > left)
            return "the size of chunk \"" + name + "\" runs past the end of the file";
        if (name == "fmt ") {
            if (size < 16)
                return "the format chunk is too short";
            format = true;
        }
        at += 8 + static_cast<off_t>(size) + static_cast<off_t>(size & 1u);
    }
    return format ? "no data chunk" : "no format chunk";
}

} // namespace

std::optional<std::string> wavDataProblem(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? "no such file" : std::strerror(errno);
    struct stat st {};
    std::optional<std::string> problem;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        problem = "not a regular file";
    else
        problem = walkChunks(fd, st.st_size);
    ::close(fd);
    return problem;
}

} // namespace quorl
