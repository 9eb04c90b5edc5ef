#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quorl {

// One listed programming cradle.
struct SSerInfo {
    std::string devicePath;   // what Open is given, e.g. /dev/ttyUSB0
    std::string portName;     // the name in the friendly name's parentheses, e.g. ttyUSB0
    std::string friendlyName; // "Silicon Labs CP210x USB to UART Bridge (ttyUSB0)"
    bool isUsb = false;       // kept, not used
    std::string description;  // the friendly name without its parenthesised port
};

// Where discovery looks. The defaults are the running system's ($QUORL_SYSFS_ROOT
// replaces /sys, so tests run in a tree of their own); tests may point them elsewhere
// too. Simulated cradles come from the environment variable QUORL_SIM_CRADLES (device
// paths separated by ':') and from the registry file.
struct DiscoverySources {
    std::filesystem::path sysfsRoot = defaultSysfsRoot();
    std::filesystem::path devRoot = "/dev";
    std::filesystem::path simRegistryFile; // empty: defaultSimRegistryFile()
    bool readEnvironment = true;

    static std::filesystem::path defaultSysfsRoot();
};

DiscoverySources& discoverySources();

// sim-cradles in the user's runtime folder (userRuntimeFolder()); empty when the
// user has no home at all.
std::filesystem::path defaultSimRegistryFile();

// The registry lists one simulator a line: its process number and its device path.
// It lives in a folder of the user's own, which registering creates (mode 0700) and
// every use checks; the file is read without following links and rewritten whole
// through a temporary file. Lines whose process is gone, or whose device is not a
// pseudo-terminal of the user's, are dropped. `problem` says why registering failed.
bool registerSimulatedCradle(const std::filesystem::path& registry, const std::string& devicePath,
                             std::string& problem);
bool registerSimulatedCradle(const std::filesystem::path& registry, const std::string& devicePath);
void unregisterSimulatedCradle(const std::filesystem::path& registry,
                               const std::string& devicePath);

struct CradleListing {
    std::vector<SSerInfo> cradles;   // in enumeration order
    std::vector<std::string> errors; // enumeration problems; the listing still stands
};

// Lists the present serial devices, keeps CP210x bridges by the four names a bridge
// goes by, fills empty names and descriptions; with `probe` drops every port that
// cannot be opened exclusively.
CradleListing listCradles(bool probe, const DiscoverySources& sources = discoverySources());

// The filter: true when the friendly name's part before "(" is one of the four names.
bool isCradleFriendlyName(const std::string& friendlyName);

} // namespace quorl
