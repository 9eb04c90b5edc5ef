#include "codeplug/private_folder.h"

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

std::string ownerText(uid_t uid) {
    return "owned by user " + std::to_string(uid) + ", not by you";
}

bool othersMayWrite(const struct stat& st) {
    return (st.st_mode & (S_IWGRP | S_IWOTH)) != 0;
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
    if ((st.st_mode & S_IWOTH) != 0 && (st.st_mode & S_ISVTX) == 0) {
        problem = folder.string() + ": other users may write to it";
        return false;
    }
    return true;
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
    if (const char* runtime = nonEmptyEnv("XDG_RUNTIME_DIR"))
        return fs::path(runtime) / kFolderName;
    if (const char* state = nonEmptyEnv("XDG_STATE_HOME"))
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
    for (fs::path up = folder.parent_path(); !up.empty(); up = up.parent_path()) {
        if (!ancestorIsSafe(up, problem))
            return false;
        if (up == up.root_path())
            break;
    }
    return true;
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
