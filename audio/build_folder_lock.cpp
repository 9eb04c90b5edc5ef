#include "audio/build_folder_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace quorl {

BuildFolderLock::BuildFolderLock(const std::filesystem::path& folder) {
    const auto file = folder / ".lock";
    // Never through a link someone planted in place of the lock file.
    fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd_ < 0)
        return;
    int r;
    do {
        r = ::flock(fd_, LOCK_EX);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

BuildFolderLock::~BuildFolderLock() {
    if (fd_ >= 0)
        ::close(fd_); // releases the lock
}

} // namespace quorl
