#include "cli/port_problem.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorl::cli {

std::string describePortProblem(const std::string& device) {
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0)
        return errno == ENOENT ? "no such device" : std::strerror(errno);
    if (!S_ISCHR(st.st_mode))
        return "not a terminal";
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == EACCES || errno == EPERM)
            return "permission denied";
        if (errno == EBUSY)
            return "in use by another program";
        return std::strerror(errno);
    }
    std::string problem;
    if (::isatty(fd) != 1)
        problem = "not a terminal";
    else if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        problem = "in use by another program";
    else
        problem = "cannot be set up as a serial port";
    ::close(fd);
    return problem;
}

} // namespace quorl::cli
