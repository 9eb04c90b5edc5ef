#pragma once

#include "codeplug/codeplug_image.h"
#include "link/cradle_discovery.h"
#include "link/link_timing.h"
#include "link/sim/pager_simulator.h"
#include "link/unattended_host.h"
#include "tests/support/test_files.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace quorl::test {

// Records every message; answers the Connected Devices dialog through `pickDevice`
// (which gets the listed port names and returns the selection, or -1 for Cancel).
class RecordingHost : public UnattendedHost {
public:
    void showMessage(std::string_view text, MessageIcon icon) override;
    void runConnectedDevicesDialog() override;

    std::vector<std::string> messages() const;
    int devicesDialogShown = 0;
    std::vector<std::string> devicesListed;
    std::function<int(const std::vector<std::string>&)> pickDevice;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> messages_;
};

// The default VHF codeplug, as the simulator holds it unless told otherwise.
CodeplugImage defaultTestCodeplug();

// Points discovery at an empty fake system with a registry file of its own, so
// tests see only the cradles they register, and puts the port choice back to start.
class IsolatedDiscovery {
public:
    IsolatedDiscovery();
    ~IsolatedDiscovery();
    void registerCradle(const std::string& devicePath);
    const std::filesystem::path& root() const { return dir_.path(); }

private:
    TempDir dir_;
    DiscoverySources saved_;
};

// A raw pseudo-terminal pair standing in for a device that sends whatever a test
// writes to the returned master (-1: none could be made); `slave` is what a link opens.
int openRawPty(std::string& slave);

// The simulator's options with replies at the line's real rate in 1 ms USB pieces,
// as the pager-operation tests run by default.
sim::SimulatorOptions pacedLine(sim::SimulatorOptions options = {});

// A running simulator on a pseudo-terminal, registered as the one cradle, with the
// link's sleeps shrunk to a tenth; time-outs stay as prescribed unless a test
// shrinks them (they cost time only when a reply does not come).
class SimulatedCradle {
public:
    explicit SimulatedCradle(sim::SimulatorOptions options = {}, double sleepScale = 0.1,
                             double timeoutScale = 1.0);
    sim::PagerSimulator& sim() { return *sim_; }
    const std::string& device() const { return sim_->devicePath(); }
    IsolatedDiscovery& discovery() { return discovery_; }
    // Starts `other` and registers it as a second cradle beside this one; false with
    // `error` when it does not start.
    [[nodiscard]] bool addBeside(sim::PagerSimulator& other, std::string& error);

private:
    ScopedLinkTiming timing_;
    IsolatedDiscovery discovery_;
    std::unique_ptr<sim::PagerSimulator> sim_;
};

} // namespace quorl::test
