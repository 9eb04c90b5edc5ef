#pragma once

#include "link/cradle_discovery.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace quorl {

class OperationHost;

// The process-wide port choice. Not stored between runs: every start begins in
// automatic mode.
struct PortChoiceState {
    int automaticMode = 1;
    std::string configuredPort;
    int portConfigured = 0;
    int configuredIndex = 0;
    std::atomic<int> noCradle{0}; // read by the interface thread's timer and the editors
    int deviceChosen = 0;
    int chosenIndex = 0;
};

PortChoiceState& portChoice();

// Puts the port choice back to its start-up state (tests).
void resetPortChoice();

// Lists the cradles without probing, keeping the no-cradle flag current. Enumeration
// problems go to standard error once each; they never end the program.
std::vector<SSerInfo> listCradlesForChoice();

// The one-second refresh of the main view: true when at least one cradle is present.
bool refreshCradlePresence();

// The device name Open receives for a port name: "\\.\" + name for COM5 and above,
// the name itself for lower COM numbers, /dev/NAME for a tty name, a path as given.
std::string deviceNameForOpen(const std::string& portName);

struct ChosenPort {
    std::string portName;
    std::string deviceName; // for Open
};

// The choice every pager operation makes first: Prepare link, list the cradles, report
// Communication Error #1 when there is none, then the configured port or (automatic)
// the one cradle or the user's pick in the Connected Devices dialog. Nothing when the
// user made no choice.
std::optional<ChosenPort> choosePort(OperationHost& host);

// The Connected Devices dialog's logic. open: switches to automatic mode, resets the
// choice and returns the port names to list.
std::vector<std::string> openConnectedDevices();
void acceptConnectedDevices(int selection);
void cancelConnectedDevices();

// The System Configuration dialog's logic.
struct SerialConfigView {
    std::vector<std::string> portNames;
    int selected = -1; // -1: the list is empty
};
SerialConfigView openSerialConfig();
void acceptSerialConfig(int selection, const std::string& portName);
void cancelSerialConfig();

} // namespace quorl
