#include "codeplug/whole_write.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorl {

bool writeWhole(int fd, std::span<const std::byte> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string notRegularFileProblem(const std::filesystem::path& target) {
    return target.string() + ": not a regular file (a device, FIFO or socket); left as it is";
}

bool isRegularFileTarget(const std::filesystem::path& target, std::string& problem) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0 || S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))
        return true; // absent, or a folder, which the writers refuse with their own words
    problem = notRegularFileProblem(target);
    return false;
}

int openForAppend(const std::filesystem::path& path, std::string* problem) {
    std::string reason;
    const auto fail = [&](std::string text) {
        if (problem)
            *problem = std::move(text);
        return -1;
    };
    // Looked at before opening: opening some devices already does something.
    if (!isRegularFileTarget(path, reason))
        return fail(reason);
    const int fd = ::open(path.c_str(),
                          O_WRONLY | O_CREAT | O_APPEND | O_NOCTTY | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0)
        return fail(path.string() + ": " + std::strerror(errno));
    // And again on what was opened, in case the name was swapped meanwhile.
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(notRegularFileProblem(path));
    }
    // Appends to a regular file block as they always did.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace quorl
