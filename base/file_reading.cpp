#include "base/file_reading.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorl {

std::string openProblem(int error) {
    switch (error) {
    case ENOENT:
        return "no such file";
    case EACCES:
        return "permission denied";
    case EISDIR:
        return "is a folder";
    default:
        return std::strerror(error);
    }
}

std::size_t readUpTo(int fd, char* into, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, into + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

bool readSmallFile(const std::filesystem::path& path, std::size_t limit, std::string& contents,
                   std::string& problem, bool& tooLarge) {
    tooLarge = false;
    // Non-blocking, so that opening a FIFO without a writer does not wait for one.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        problem = openProblem(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        problem = S_ISDIR(st.st_mode) ? openProblem(EISDIR) : "not a regular file";
        return false;
    }
    // One byte past the limit tells a larger file without reading it all.
    contents.assign(limit + 1, '\0');
    contents.resize(readUpTo(fd, contents.data(), contents.size()));
    ::close(fd);
    if (contents.size() > limit) {
        tooLarge = true;
        problem = "larger than " + std::to_string(limit) + " bytes";
        contents.clear();
        return false;
    }
    return true;
}

} // namespace quorl
