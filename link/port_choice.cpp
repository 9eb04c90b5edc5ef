#include "link/port_choice.h"

#include "link/link_texts.h"
#include "link/operation_host.h"

#include <cctype>
#include <iostream>
#include <mutex>
#include <set>

namespace quorl {

PortChoiceState& portChoice() {
    static PortChoiceState state;
    return state;
}

void resetPortChoice() {
    auto& s = portChoice();
    s.automaticMode = 1;
    s.configuredPort.clear();
    s.portConfigured = 0;
    s.configuredIndex = 0;
    s.noCradle.store(0);
    s.deviceChosen = 0;
    s.chosenIndex = 0;
}

std::vector<SSerInfo> listCradlesForChoice() {
    auto listing = listCradles(false);
    // The refresh runs every second; a broken enumeration is worth one line, not one a
    // second.
    static std::mutex mutex;
    static std::set<std::string> reported;
    {
        std::lock_guard lock(mutex);
        for (const auto& e : listing.errors)
            if (reported.insert(e).second)
                std::cerr << e << '\n';
    }
    if (!listing.cradles.empty())
        portChoice().noCradle.store(0);
    return std::move(listing.cradles);
}

bool refreshCradlePresence() {
    portChoice().noCradle.store(1);
    return !listCradlesForChoice().empty();
}

std::string deviceNameForOpen(const std::string& portName) {
    if (portName.rfind("COM", 0) == 0) {
        // The number after the first three characters; "\\.\" from COM5 on (the rule
        // always began at 5, though Windows needs it only from COM10).
        std::size_t i = 3;
        long number = 0;
        bool any = false;
        while (i < portName.size() && std::isdigit(static_cast<unsigned char>(portName[i])) &&
               number < 100000) {
            number = number * 10 + (portName[i] - '0');
            any = true;
            ++i;
        }
        if (any && number >= 5)
            return "\\\\.\\" + portName;
        return portName;
    }
    if (!portName.empty() && portName.front() == '/')
        return portName;
    return "/dev/" + portName;
}

std::optional<ChosenPort> choosePort(OperationHost& host) {
    auto& s = portChoice();
    s.noCradle.store(1);
    const auto cradles = listCradlesForChoice();
    if (s.noCradle.load() == 1) {
        host.showMessage(link_texts::kCommError1, MessageIcon::Stop);
        return std::nullopt;
    }
    std::string name;
    if (s.automaticMode == 0) {
        name = s.configuredPort;
    } else if (cradles.size() == 1) {
        name = cradles.front().portName;
    } else {
        host.runConnectedDevicesDialog();
        if (s.deviceChosen == 0 || s.chosenIndex < 0 ||
            static_cast<std::size_t>(s.chosenIndex) >= cradles.size())
            return std::nullopt;
        name = cradles[static_cast<std::size_t>(s.chosenIndex)].portName;
    }
    return ChosenPort{name, deviceNameForOpen(name)};
}

std::vector<std::string> openConnectedDevices() {
    auto& s = portChoice();
    s.automaticMode = 1;
    s.chosenIndex = 0;
    s.deviceChosen = 0;
    std::vector<std::string> names;
    for (const auto& c : listCradlesForChoice())
        names.push_back(c.portName);
    return names;
}

void acceptConnectedDevices(int selection) {
    auto& s = portChoice();
    s.deviceChosen = 1;
    s.chosenIndex = selection;
}

void cancelConnectedDevices() {
    portChoice().deviceChosen = 0;
}

SerialConfigView openSerialConfig() {
    auto& s = portChoice();
    s.automaticMode = 0;
    SerialConfigView view;
    for (const auto& c : listCradlesForChoice())
        view.portNames.push_back(c.portName);
    if (view.portNames.empty())
        return view;
    view.selected = 0;
    if (s.portConfigured != 0) {
        bool found = false;
        for (std::size_t i = 0; i < view.portNames.size(); ++i) {
            if (view.portNames[i] == s.configuredPort) {
                view.selected = static_cast<int>(i);
                found = true;
                break;
            }
        }
        if (!found)
            s.configuredPort = view.portNames.front();
    }
    return view;
}

void acceptSerialConfig(int selection, const std::string& portName) {
    auto& s = portChoice();
    s.configuredIndex = selection;
    s.configuredPort = portName;
    s.noCradle.store(0);
    s.portConfigured = 1;
    s.automaticMode = 0;
}

void cancelSerialConfig() {
    auto& s = portChoice();
    s.noCradle.store(0);
    s.automaticMode = s.portConfigured != 0 ? 0 : 1;
}

} // namespace quorl
