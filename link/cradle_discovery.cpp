#include "link/cradle_discovery.h"

#include "link/link_texts.h"
#include "link/natural_order.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
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

bool isCharacterDevice(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

void listSimulated(const DiscoverySources& sources, std::vector<RawDevice>& out) {
    std::vector<std::string> paths;
    if (sources.readEnvironment) {
        if (const char* env = std::getenv("QUORL_SIM_CRADLES"))
            paths = splitPaths(env, ':');
    }
    const fs::path registry =
        sources.simRegistryFile.empty() ? defaultSimRegistryFile() : sources.simRegistryFile;
    if (std::ifstream in(registry); in) {
        std::string line;
        while (std::getline(in, line))
            for (auto& p : splitPaths(line, '\n'))
                paths.push_back(p);
    }
    for (const auto& p : paths) {
        // A simulator that ended leaves its line behind; only live devices count. A
        // parenthesis would break the friendly name apart, so such paths are skipped.
        if (std::find_if(out.begin(), out.end(),
                         [&](const RawDevice& d) { return d.devicePath == p; }) != out.end())
            continue;
        if (p.find_first_of("()") != std::string::npos || !isCharacterDevice(p))
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

fs::path defaultSimRegistryFile() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return fs::path(runtime) / "tessaly-vi-quorl" / "sim-cradles";
    return fs::path("/tmp") / ("tessaly-vi-quorl-" + std::to_string(::getuid())) / "sim-cradles";
}

bool registerSimulatedCradle(const fs::path& registry, const std::string& devicePath) {
    std::error_code ec;
    fs::create_directories(registry.parent_path(), ec);
    std::ofstream out(registry, std::ios::app);
    if (!out)
        return false;
    out << devicePath << '\n';
    return static_cast<bool>(out);
}

void unregisterSimulatedCradle(const fs::path& registry, const std::string& devicePath) {
    std::ifstream in(registry);
    if (!in)
        return;
    std::vector<std::string> keep;
    std::string line;
    while (std::getline(in, line))
        if (line != devicePath && !line.empty())
            keep.push_back(line);
    in.close();
    std::ofstream out(registry, std::ios::trunc);
    for (const auto& l : keep)
        out << l << '\n';
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
    listSimulated(sources, raw);

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
