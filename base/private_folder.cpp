#include "base/private_folder.h"

#include "base/atomic_file_write.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorl {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFolderName = "tessaly-vi-quorl";

const char* nonEmptyEnv(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

const char* absoluteEnv(const char* name) {
    const char* value = nonEmptyEnv(name);
    return value && value[0] == '/' ? value : nullptr;
}

std::string ownerText(uid_t uid) {
    return "owned by user " + std::to_string(uid) + ", not by you";
}

bool othersMayWrite(const struct stat& st) {
    return (st.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

// Group write counts as others' write unless the group is the user's own (the
// one-user group most systems give every user).
bool othersBesidesOwnGroupMayWrite(const struct stat& st) {
    return (st.st_mode & S_IWOTH) != 0 || ((st.st_mode & S_IWGRP) != 0 && st.st_gid != ::getegid());
}

// An ancestor may belong to root (/, /home, /tmp) or to the user; a folder everyone
// may write to must be sticky, so no one else can rename or remove what is below.
bool ancestorIsSafe(const fs::path& folder, std::string& problem) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
        problem = folder.string() + ": " + std::strerror(errno);
        return false;
    }
    if (st.st_uid != 0 && st.st_uid != ::geteuid()) {
        problem = folder.string() + ": " + ownerText(st.st_uid);
        return false;
    }
    if (othersBesidesOwnGroupMayWrite(st) && (st.st_mode & S_ISVTX) == 0) {
        problem = folder.string() + ": other users may write to it";
        return false;
    }
    return true;
}

bool ancestorsAreSafe(const fs::path& folder, std::string& problem) {
    for (fs::path up = folder.parent_path(); !up.empty(); up = up.parent_path()) {
        if (!ancestorIsSafe(up, problem))
            return false;
        if (up == up.root_path())
            break;
    }
    return true;
}

bool isOwnFolder(const struct stat& st, const fs::path& shownAs, std::string& problem) {
    if (!S_ISDIR(st.st_mode))
        problem = shownAs.string() + ": not a folder";
    else if (st.st_uid != ::geteuid())
        problem = shownAs.string() + ": " + ownerText(st.st_uid);
    else if (othersBesidesOwnGroupMayWrite(st))
        problem = shownAs.string() + ": other users may write to it";
    else
        return true;
    return false;
}

} // namespace

fs::path userHomeFolder() {
    if (const char* home = nonEmptyEnv("HOME"))
        return home;
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_dir && *pw->pw_dir)
        return pw->pw_dir;
    return {};
}

fs::path userRuntimeFolder() {
    // A relative path in these is not valid (the XDG rules say so): taken from the
    // working folder it would be wherever the program was started.
    if (const char* runtime = absoluteEnv("XDG_RUNTIME_DIR"))
        return fs::path(runtime) / kFolderName;
    if (const char* state = absoluteEnv("XDG_STATE_HOME"))
        return fs::path(state) / kFolderName;
    const fs::path home = userHomeFolder();
    if (home.empty())
        return {};
    return home / ".local" / "state" / kFolderName;
}

bool isPrivateFolder(const fs::path& requested, std::string& problem) {
    if (requested.empty()) {
        problem = "no folder of your own (neither HOME nor XDG_RUNTIME_DIR is set)";
        return false;
    }
    const fs::path folder = fs::absolute(requested).lexically_normal();
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) {
        problem = folder.string() + ": " + std::strerror(errno);
        return false;
    }
    if (S_ISLNK(st.st_mode)) {
        problem = folder.string() + ": is a symbolic link, not a folder of your own";
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        problem = folder.string() + ": not a folder";
        return false;
    }
    if (st.st_uid != ::geteuid()) {
        problem = folder.string() + ": " + ownerText(st.st_uid);
        return false;
    }
    if (othersMayWrite(st)) {
        problem = folder.string() + ": other users may write to it";
        return false;
    }
    return ancestorsAreSafe(folder, problem);
}

int openOwnFolder(const fs::path& requested, std::string& problem) {
    if (requested.empty()) {
        problem = "\"\": names no folder";
        return -1;
    }
    fs::path real;
    if (!resolveSaveTarget(fs::absolute(requested).lexically_normal(), real, problem))
        return -1;
    // Made one name at a time; each name is looked at again below, link rule and all.
    fs::path built;
    for (const auto& part : real) {
        built /= part;
        if (::mkdir(built.c_str(), 0777) != 0 && errno != EEXIST) {
            problem = built.string() + ": " + std::strerror(errno);
            return -1;
        }
    }
    if (!resolveSaveTarget(real, real, problem) || !ancestorsAreSafe(real, problem))
        return -1;
    const int fd = ::open(real.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        problem = requested.string() + ": " + std::strerror(errno == ELOOP ? ENOTDIR : errno);
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    if (!isOwnFolder(st, requested, problem)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int openOwnSubfolder(int parent, const char* name, const std::string& shownAs,
                     std::string& problem) {
    if (::mkdirat(parent, name, 0777) != 0 && errno != EEXIST) {
        problem = shownAs + ": " + std::strerror(errno);
        return -1;
    }
    const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        struct stat st {};
        const bool link =
            ::fstatat(parent, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode);
        problem = shownAs + ": " +
                  (link ? std::string("is a symbolic link; not followed") : std::strerror(error));
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !isOwnFolder(st, shownAs, problem)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool ensurePrivateFolder(const fs::path& requested, std::string& problem) {
    if (requested.empty())
        return isPrivateFolder(requested, problem);
    const fs::path folder = fs::absolute(requested).lexically_normal();
    fs::path built;
    for (const auto& part : folder) {
        built /= part;
        if (::mkdir(built.c_str(), 0700) != 0 && errno != EEXIST) {
            problem = built.string() + ": " + std::strerror(errno);
            return false;
        }
    }
    return isPrivateFolder(folder, problem);
}

int openPrivateFile(const fs::path& file, std::string& problem) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        problem =
            file.string() + ": " + (error == ELOOP ? "is a symbolic link" : std::strerror(error));
        errno = error;
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & S_IWOTH) != 0) {
        problem = file.string() + ": not a file of your own";
        ::close(fd);
        errno = EPERM;
        return -1;
    }
    return fd;
}

} // namespace quorl
