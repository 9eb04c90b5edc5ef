#include "voicelib/file_age.h"

#include <sys/stat.h>

namespace quorl::vq4 {

namespace {

bool modificationTime(const std::string& path, struct timespec& t) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    t = st.st_mtim;
    return true;
}

} // namespace

int compareFileAge(const std::string& first, const std::string& second) {
    struct timespec a {
    }, b{};
    if (!modificationTime(first, a))
        return -1;
    if (!modificationTime(second, b))
        return -2;
    if (a.tv_sec != b.tv_sec)
        return a.tv_sec > b.tv_sec ? 1 : -3;
    if (a.tv_nsec != b.tv_nsec)
        return a.tv_nsec > b.tv_nsec ? 1 : -3;
    return 0;
}

} // namespace quorl::vq4
