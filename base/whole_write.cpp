#include "base/whole_write.h"

#include "base/atomic_file_write.h"

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

namespace {

// The protected_regular rule: in a sticky folder everyone may write to, a file that
// is neither the user's nor the folder owner's is not opened to be written.
bool isOthersFileInSharedFolder(const std::filesystem::path& file, const struct stat& st) {
    struct stat folder {};
    const auto parent = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    if (::stat(parent.c_str(), &folder) != 0)
        return true;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return shared && st.st_uid != ::geteuid() && st.st_uid != folder.st_uid;
}

} // namespace

int openForAppend(const std::filesystem::path& path, std::string* problem) {
    std::string reason;
    const auto fail = [&](std::string text) {
        if (problem)
            *problem = std::move(text);
        return -1;
    };
    std::filesystem::path target;
    if (!resolveSaveTarget(path, target, reason))
        return fail(reason);
    // Looked at before opening: opening some devices already does something.
    if (!isRegularFileTarget(target, reason))
        return fail(notRegularFileProblem(path));
    // Non-blocking, so that a FIFO swapped in meanwhile cannot hang the open.
    const int fd = ::open(
        target.c_str(),
        O_WRONLY | O_CREAT | O_APPEND | O_NOCTTY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        const int error = errno;
        return fail(path.string() + ": " +
                    (error == ELOOP ? "a symbolic link appeared in its place; not written through"
                                    : std::strerror(error)));
    }
    // And again on what was opened, in case the name was swapped meanwhile.
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(notRegularFileProblem(path));
    }
    if (isOthersFileInSharedFolder(target, st)) {
        ::close(fd);
        return fail(path.string() + ": a file of another user in a shared folder; not written to");
    }
    // Appends to a regular file block as they always did.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool appendWhole(int fd, std::string_view text) {
    const off_t before = ::lseek(fd, 0, SEEK_END);
    errno = 0;
    if (writeWhole(fd, text))
        return true;
    const int error = errno;
    if (before >= 0) {
        [[maybe_unused]] const int cut = ::ftruncate(fd, before);
    }
    errno = error != 0 ? error : ENOSPC;
    return false;
}

} // namespace quorl
