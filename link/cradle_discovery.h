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

// Where discovery looks. The defaults are the running system's; tests point them at a
// fake tree. Simulated cradles come from the environment variable QUORL_SIM_CRADLES
// (device paths separated by ':') and from the registry file, one path a line.
struct DiscoverySources {
    std::filesystem::path sysfsRoot = "/sys";
    std::filesystem::path devRoot = "/dev";
    std::filesystem::path simRegistryFile; // empty: defaultSimRegistryFile()
    bool readEnvironment = true;
};

DiscoverySources& discoverySources();

// $XDG_RUNTIME_DIR/tessaly-vi-quorl/sim-cradles, or /tmp/tessaly-vi-quorl-<uid>/sim-cradles
// when there is no runtime folder.
std::filesystem::path defaultSimRegistryFile();

// Adds or removes a simulated cradle's path in the registry file.
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
