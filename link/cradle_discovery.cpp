#include "link/cradle_discovery.h"

#include "base/atomic_file_write.h"
#include "base/private_folder.h"
#include "link/link_texts.h"
#include "link/natural_order.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace quorl {

namespace fs = std::filesystem;

namespace {

// A device as the system enumeration reports it, before the filter.
struct RawDevice {
    std::string devicePath;
    std::string friendlyName;
    std::string description;
    std::string location;
};

// Friendly names as the Windows driver gave them, so the filter stays the same.
std::string friendlyNameFor(const std::string& driver, const std::string& port) {
    if (driver == "cp210x")
        return std::string(link_texts::kLinuxCradleName) + " (" + port + ")";
    return driver + " serial port (" + port + ")";
}

void listSysfs(const DiscoverySources& sources, std::vector<RawDevice>& out,
               std::vector<std::string>& errors) {
    const fs::path classDir = sources.sysfsRoot / "class" / "tty";
    std::error_code ec;
    fs::directory_iterator it(classDir, ec);
    if (ec) {
        errors.push_back(std::string(link_texts::kEnumTtyClassFailed) + classDir.string() + " (" +
                         ec.message() + ")");
        return;
    }
    std::vector<std::string> names;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) {
            errors.push_back(std::string(link_texts::kEnumTtyClassFailed) + classDir.string() +
                             " (" + ec.message() + ")");
            break;
        }
        names.push_back(it->path().filename().string());
    }
    // The kernel's listing order is arbitrary; in natural order ttyUSB2 comes before
    // ttyUSB10.
    std::sort(names.begin(), names.end(), naturalLess);
    for (const auto& name : names) {
        const fs::path entry = classDir / name;
        std::error_code e;
        const fs::path driverLink = fs::read_symlink(entry / "device" / "driver", e);
        if (e)
            continue; // virtual terminals and ptys have no device driver
        const std::string driver = driverLink.filename().string();
        const fs::path devicePath = fs::read_symlink(entry / "device", e);
        RawDevice d;
        d.devicePath = (sources.devRoot / name).string();
        d.friendlyName = friendlyNameFor(driver, name);
        d.location = devicePath.string().find("/usb") != std::string::npos ? "USB" : "";
        out.push_back(std::move(d));
    }
}

std::vector<std::string> splitPaths(const std::string& text, char separator) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::string::npos)
            end = text.size();
        std::string item = text.substr(start, end - start);
        while (!item.empty() && (item.back() == '\r' || item.back() == ' '))
            item.pop_back();
        if (!item.empty())
            out.push_back(item);
        start = end + 1;
    }
    return out;
}

// The slave side of a Unix 98 pseudo-terminal (majors 136 to 143), as the
// simulator opens; anything else under a simulator's name is someone's terminal
// or a real port, and a read would send binary frames into it.
bool isOwnPseudoTerminal(const std::string& path) {
    constexpr unsigned kFirstPtyMajor = 136, kLastPtyMajor = 143;
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode) && st.st_uid == ::geteuid() &&
           major(st.st_rdev) >= kFirstPtyMajor && major(st.st_rdev) <= kLastPtyMajor;
}

struct RegistryEntry {
    long pid = 0;
    std::string devicePath;
};

bool processIsAlive(long pid) {
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0;
}

bool isLive(const RegistryEntry& e) {
    return processIsAlive(e.pid) && isOwnPseudoTerminal(e.devicePath);
}

std::vector<RegistryEntry> parseRegistry(const std::string& text) {
    std::vector<RegistryEntry> entries;
    for (const auto& line : splitPaths(text, '\n')) {
        const std::size_t blank = line.find(' ');
        if (blank == 0 || blank == std::string::npos)
            continue;
        RegistryEntry e;
        const std::string number = line.substr(0, blank);
        if (number.find_first_not_of("0123456789") != std::string::npos || number.size() > 9)
            continue;
        e.pid = std::stol(number);
        e.devicePath = line.substr(blank + 1);
        entries.push_back(std::move(e));
    }
    return entries;
}

// Reads the registry when its folder is the user's own. A missing folder or file is
// an empty registry; anything else that is wrong is a problem, and nothing is read.
bool readRegistry(const fs::path& registry, std::vector<RegistryEntry>& entries,
                  std::string& problem) {
    entries.clear();
    if (registry.empty())
        return true;
    struct stat st {};
    if (::lstat(registry.parent_path().c_str(), &st) != 0 && errno == ENOENT)
        return true;
    if (!isPrivateFolder(registry.parent_path(), problem))
        return false;
    const int fd = openPrivateFile(registry, problem);
    if (fd < 0)
        return errno == ENOENT;
    std::string text;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0 && text.size() < (1u << 20))
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    entries = parseRegistry(text);
    return true;
}

// Holds the registry folder's lock while a simulator rewrites the file, so two
// simulators starting together do not drop each other's line.
class RegistryLock {
public:
    explicit RegistryLock(const fs::path& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)) {
        if (fd_ >= 0)
            ::flock(fd_, LOCK_EX);
    }
    ~RegistryLock() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    RegistryLock(const RegistryLock&) = delete;
    RegistryLock& operator=(const RegistryLock&) = delete;

private:
    int fd_;
};

bool rewriteRegistry(const fs::path& registry, const std::string& devicePath, bool add,
                     std::string& problem) {
    if (registry.empty()) {
        problem = "no folder of your own for the registry (HOME is not set)";
        return false;
    }
    if (!ensurePrivateFolder(registry.parent_path(), problem))
        return false;
    RegistryLock lock(registry.parent_path());
    std::vector<RegistryEntry> entries;
    readRegistry(registry, entries, problem);
    const long self = ::getpid();
    std::string text;
    for (const auto& e : entries)
        if (isLive(e) && !(e.pid == self && e.devicePath == devicePath))
            text += std::to_string(e.pid) + ' ' + e.devicePath + '\n';
    if (add)
        text += std::to_string(self) + ' ' + devicePath + '\n';
    FileWriteOptions options;
    options.replaceLinks = true;
    options.newFileMode = 0600;
    return writeFileAtomically(registry, std::as_bytes(std::span(text.data(), text.size())),
                               &problem, options);
}

void listSimulated(const DiscoverySources& sources, std::vector<RawDevice>& out,
                   std::vector<std::string>& errors) {
    std::vector<std::string> paths;
    if (sources.readEnvironment) {
        if (const char* env = std::getenv("QUORL_SIM_CRADLES"))
            paths = splitPaths(env, ':');
    }
    const fs::path registry =
        sources.simRegistryFile.empty() ? defaultSimRegistryFile() : sources.simRegistryFile;
    std::vector<RegistryEntry> entries;
    std::string problem;
    if (!readRegistry(registry, entries, problem))
        errors.push_back(std::string(link_texts::kSimRegistryRefused) + problem);
    for (const auto& e : entries)
        if (processIsAlive(e.pid))
            paths.push_back(e.devicePath);
    for (const auto& p : paths) {
        // A parenthesis would break the friendly name apart, so such paths are skipped.
        if (std::find_if(out.begin(), out.end(),
                         [&](const RawDevice& d) { return d.devicePath == p; }) != out.end())
            continue;
        if (p.find_first_of("()") != std::string::npos || !isOwnPseudoTerminal(p))
            continue;
        RawDevice d;
        d.devicePath = p;
        d.friendlyName = std::string(link_texts::kLinuxCradleName) + " (" + p + ")";
        d.location = "SIM";
        out.push_back(std::move(d));
    }
}

bool canOpenExclusively(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return ok;
}

} // namespace

DiscoverySources& discoverySources() {
    static DiscoverySources sources;
    return sources;
}

fs::path DiscoverySources::defaultSysfsRoot() {
    if (const char* root = std::getenv("QUORL_SYSFS_ROOT"); root && *root)
        return root;
    return "/sys";
}

fs::path defaultSimRegistryFile() {
    const fs::path folder = userRuntimeFolder();
    return folder.empty() ? folder : folder / "sim-cradles";
}

bool registerSimulatedCradle(const fs::path& registry, const std::string& devicePath,
                             std::string& problem) {
    return rewriteRegistry(registry, devicePath, true, problem);
}

bool registerSimulatedCradle(const fs::path& registry, const std::string& devicePath) {
    std::string problem;
    return registerSimulatedCradle(registry, devicePath, problem);
}

void unregisterSimulatedCradle(const fs::path& registry, const std::string& devicePath) {
    std::string problem;
    rewriteRegistry(registry, devicePath, false, problem);
}

bool isCradleFriendlyName(const std::string& friendlyName) {
    const std::size_t open = friendlyName.find('(');
    const std::string deviceName =
        open == std::string::npos ? friendlyName : friendlyName.substr(0, open);
    return std::any_of(std::begin(link_texts::kCradleNames), std::end(link_texts::kCradleNames),
                       [&](std::string_view n) { return deviceName == n; });
}

CradleListing listCradles(bool probe, const DiscoverySources& sources) {
    CradleListing listing;
    std::vector<RawDevice> raw;
    listSysfs(sources, raw, listing.errors);
    listSimulated(sources, raw, listing.errors);

    for (const auto& d : raw) {
        if (d.friendlyName.empty() && d.description.empty())
            continue;
        const std::size_t open = d.friendlyName.find('(');
        const std::size_t close = d.friendlyName.find(')');
        if (!isCradleFriendlyName(d.friendlyName))
            continue;
        SSerInfo info;
        info.devicePath = d.devicePath;
        if (open != std::string::npos && close != std::string::npos && close > open)
            info.portName = d.friendlyName.substr(open + 1, close - open - 1);
        info.friendlyName = d.friendlyName;
        info.isUsb = d.location.rfind("USB", 0) == 0;
        info.description = d.description;
        listing.cradles.push_back(std::move(info));
    }
    for (auto& info : listing.cradles) {
        if (info.friendlyName.empty())
            info.friendlyName = info.portName;
        if (info.description.empty()) {
            info.description = info.friendlyName;
            const std::size_t cut = info.description.find(" (");
            if (cut != std::string::npos && cut != 0 && info.description.back() == ')')
                info.description.erase(cut);
        }
    }
    if (probe) {
        std::erase_if(listing.cradles,
                      [](const SSerInfo& s) { return !canOpenExclusively(s.devicePath); });
    }
    return listing;
}

} // namespace quorl
