#include "base/atomic_file_write.h"

#include "base/temporary_files.h"
#include "base/whole_write.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorl {

namespace fs = std::filesystem;

namespace {

// The kernel gives up after 40 links in one lookup; so do we.
constexpr int kMaxLinkHops = 40;
// The longest name a Linux file system takes, in bytes.
constexpr std::size_t kMaxNameBytes = NAME_MAX;
constexpr std::string_view kTempSuffix = ".XXXXXX";

void syncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

fs::path folderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

std::string reasonFor(const fs::path& file, int error) {
    return file.string() + ": " + std::strerror(error);
}

// The protected_symlinks rule: in a sticky folder everyone may write to, only links
// of the follower or of the folder's owner are followed.
bool mayFollow(const fs::path& link, uid_t linkOwner) {
    struct stat folder {};
    if (::stat(folderOf(link).c_str(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || linkOwner == ::geteuid() || linkOwner == folder.st_uid;
}

// ".name.XXXXXX", with the name cut so the whole stays within the file-name limit;
// the cut never splits a UTF-8 sequence.
std::string tempPattern(const std::string& name) {
    const std::size_t room = kMaxNameBytes - 1 - kTempSuffix.size();
    std::size_t keep = std::min(room, name.size());
    while (keep > 0 && keep < name.size() &&
           (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep;
    // Appended piece by piece: "." + ... lets GCC 12 at -O3 warn of an overlapping copy.
    std::string pattern;
    pattern.reserve(1 + keep + kTempSuffix.size());
    pattern.push_back('.');
    pattern.append(name, 0, keep);
    pattern.append(kTempSuffix);
    return pattern;
}

} // namespace

bool resolveSaveTarget(const fs::path& requested, fs::path& target, std::string& problem) {
    // Walked one name at a time as the kernel walks it, so a link in the middle of the
    // path (a folder of someone else's in /tmp) is judged like one at the end.
    std::vector<fs::path> rest;
    for (const auto& name : requested)
        rest.push_back(name);
    std::reverse(rest.begin(), rest.end());
    fs::path done;
    int hops = 0;
    while (!rest.empty()) {
        const fs::path name = std::move(rest.back());
        rest.pop_back();
        if (name == "/") {
            done = "/";
            continue;
        }
        if (name.empty() || name == ".")
            continue;
        if (name == ".." && !done.empty() && done.filename() != "..") {
            // What is walked so far holds no links, so its parent is the real one.
            done = done == "/" ? done : done.parent_path();
            continue;
        }
        const fs::path next = done.empty() ? name : done / name;
        struct stat st {};
        if (::lstat(next.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            done = next;
            continue;
        }
        if (!mayFollow(next, st.st_uid)) {
            problem = next.string() +
                      ": a symbolic link of another user in a shared folder; not saved through it";
            return false;
        }
        if (++hops > kMaxLinkHops) {
            problem = reasonFor(requested, ELOOP);
            return false;
        }
        std::error_code ec;
        const fs::path link = fs::read_symlink(next, ec);
        if (ec) {
            problem = next.string() + ": " + ec.message();
            return false;
        }
        std::vector<fs::path> names(link.begin(), link.end());
        rest.insert(rest.end(), names.rbegin(), names.rend());
    }
    target = done.empty() ? fs::path(".") : done;
    return true;
}

bool writeFileAtomicallyAt(int folder, const std::string& name, std::span<const std::byte> bytes,
                           const fs::path& shownAs, std::string* problem) {
    const auto fail = [&](int error) {
        if (problem)
            *problem = error == ELOOP ? shownAs.string() + ": is a symbolic link; left as it is"
                                      : reasonFor(shownAs, error);
        return false;
    };
    struct stat st {};
    const bool existed = ::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (existed && S_ISLNK(st.st_mode))
        return fail(ELOOP);
    if (existed && S_ISDIR(st.st_mode))
        return fail(EISDIR);
    if (existed && !S_ISREG(st.st_mode)) {
        if (problem)
            *problem = notRegularFileProblem(shownAs);
        return false;
    }
    if (name.size() > kMaxNameBytes)
        return fail(ENAMETOOLONG);
    // A name no one can take first: O_EXCL with an unguessable ending, as mkstemp does.
    std::random_device random;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = tempPattern(name);
        static constexpr char kLetters[] =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        for (char& c : std::span(temp).last(kTempSuffix.size() - 1))
            c = kLetters[random() % (sizeof kLetters - 1)];
        fd = ::openat(folder, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      0600);
        if (fd < 0 && errno != EEXIST)
            return fail(errno);
    }
    if (fd < 0)
        return fail(EEXIST);
    const TemporaryOnSignal removedOnSignal(shownAs.parent_path() / temp);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = existed ? st.st_mode & 07777 : 0666 & ~mask;
    errno = 0;
    bool ok = writeWhole(fd, bytes) && ::fsync(fd) == 0 && ::fchmod(fd, mode) == 0;
    int error = ok ? 0 : (errno != 0 ? errno : ENOSPC);
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::renameat(folder, temp.c_str(), folder, name.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlinkat(folder, temp.c_str(), 0);
        return fail(error);
    }
    ::fsync(folder);
    return true;
}

bool canWriteFileAtomically(const fs::path& requested, std::string& problem) {
    fs::path target;
    if (!resolveSaveTarget(requested, target, problem))
        return false;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        problem = reasonFor(requested, EISDIR);
        return false;
    }
    if (!isRegularFileTarget(target, problem)) {
        problem = notRegularFileProblem(requested); // named as the user gave it
        return false;
    }
    if (target.filename().string().size() > kMaxNameBytes) {
        problem = reasonFor(requested, ENAMETOOLONG);
        return false;
    }
    const fs::path folder = folderOf(target);
    if (::stat(folder.c_str(), &st) != 0) {
        problem = reasonFor(folder, errno);
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        problem = reasonFor(folder, ENOTDIR);
        return false;
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        problem = reasonFor(folder, errno);
        return false;
    }
    return true;
}

bool writeFileAtomically(const fs::path& requested, std::span<const std::byte> bytes,
                         std::string* problem, const FileWriteOptions& options) {
    std::string reason;
    const auto fail = [&](std::string text) {
        if (problem)
            *problem = std::move(text);
        return false;
    };
    fs::path target = requested;
    if (!options.replaceLinks && !resolveSaveTarget(requested, target, reason))
        return fail(reason);
    struct stat st {};
    const bool existed =
        (options.replaceLinks ? ::lstat(target.c_str(), &st) : ::stat(target.c_str(), &st)) == 0;
    if (existed && S_ISDIR(st.st_mode))
        return fail(reasonFor(requested, EISDIR));
    // A device, FIFO or socket is never replaced by the file (nor a link to one).
    if (existed && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
        return fail(notRegularFileProblem(requested));
    const mode_t mode = existed ? st.st_mode & 07777 : 0;
    const fs::path folder = folderOf(target);

    const std::string pattern = (folder / tempPattern(target.filename().string())).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return fail(reasonFor(folder, errno));
    const fs::path temp(name.data());
    const TemporaryOnSignal removedOnSignal(temp);

    bool ok = writeWhole(fd, bytes) && ::fsync(fd) == 0;
    if (ok && existed)
        ok = ::fchmod(fd, mode) == 0;
    if (ok && !existed) {
        // mkstemp creates 0600; give a new file the permissions asked for under the umask.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ok = ::fchmod(fd, static_cast<mode_t>(options.newFileMode) & ~mask) == 0;
    }
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return fail(reasonFor(requested, error));
    }
    syncFolder(folder);
    return true;
}

} // namespace quorl
