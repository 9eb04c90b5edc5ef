#include "tests/support/link_test_support.h"

#include "codeplug/default_codeplug.h"
#include "link/port_choice.h"

#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace quorl::test {

namespace fs = std::filesystem;

void RecordingHost::showMessage(std::string_view text, MessageIcon) {
    std::lock_guard lock(mutex_);
    messages_.emplace_back(text);
}

void RecordingHost::runConnectedDevicesDialog() {
    ++devicesDialogShown;
    devicesListed = openConnectedDevices();
    const int pick = pickDevice ? pickDevice(devicesListed) : -1;
    if (pick >= 0)
        acceptConnectedDevices(pick);
    else
        cancelConnectedDevices();
}

std::vector<std::string> RecordingHost::messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

CodeplugImage defaultTestCodeplug() {
    return makeDefaultCodeplug(vhfFiveChannelFactory());
}

IsolatedDiscovery::IsolatedDiscovery() : saved_(discoverySources()) {
    fs::create_directories(dir_.path() / "sys" / "class" / "tty");
    discoverySources().sysfsRoot = dir_.path() / "sys";
    discoverySources().devRoot = dir_.path() / "dev";
    discoverySources().simRegistryFile = dir_.path() / "sim-cradles";
    discoverySources().readEnvironment = false;
    resetPortChoice();
}

IsolatedDiscovery::~IsolatedDiscovery() {
    discoverySources() = saved_;
    resetPortChoice();
}

void IsolatedDiscovery::registerCradle(const std::string& devicePath) {
    ASSERT_TRUE(registerSimulatedCradle(discoverySources().simRegistryFile, devicePath));
}

sim::SimulatorOptions pacedLine(sim::SimulatorOptions options) {
    options.pace = sim::LinePace{};
    return options;
}

SimulatedCradle::SimulatedCradle(sim::SimulatorOptions options, double sleepScale,
                                 double timeoutScale)
    : timing_(sleepScale, timeoutScale) {
    sim_ = std::make_unique<sim::PagerSimulator>(sim::PagerModel(defaultTestCodeplug()),
                                                 std::move(options));
    std::string error;
    if (!sim_->start(error))
        throw std::runtime_error("simulator: " + error);
    discovery_.registerCradle(sim_->devicePath());
}

bool SimulatedCradle::addBeside(sim::PagerSimulator& other, std::string& error) {
    if (!other.start(error))
        return false;
    discovery_.registerCradle(other.devicePath());
    return true;
}

int openRawPty(std::string& slave) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return -1;
    const char* name =
        ::grantpt(master) == 0 && ::unlockpt(master) == 0 ? ::ptsname(master) : nullptr;
    if (name == nullptr) {
        ::close(master);
        return -1;
    }
    slave = name;
    return master;
}

} // namespace quorl::test
