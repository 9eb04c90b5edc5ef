#include "voicelib/no_follow_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace quorl::vq4 {

int openNoFollowForWriting(const std::string& path) {
    return ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
}

std::FILE* fopenNoFollowForWriting(const std::string& path, const char* mode) {
    const int fd = openNoFollowForWriting(path);
    if (fd < 0)
        return nullptr;
    std::FILE* f = ::fdopen(fd, mode);
    if (!f)
        ::close(fd);
    return f;
}

bool copyFileNoFollow(const std::string& source, const std::string& copy) {
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    const int out = openNoFollowForWriting(copy);
    bool ok = out >= 0;
    char buffer[65536];
    while (ok) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        for (ssize_t done = 0; ok && done < n;) {
            const ssize_t w = ::write(out, buffer + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            ok = w > 0;
            done += w > 0 ? w : 0;
        }
    }
    ::close(in);
    if (out >= 0 && ::close(out) != 0)
        ok = false;
    return ok;
}

} // namespace quorl::vq4
