// Time of Write Codeplug on 1, 4 and 8 cradles at once, each a simulator on its own
// pseudo-terminal with replies paced at the line's rate, at the operation's real
// sleeps and time-outs. The goal: eight pagers in at most 1.3 times one pager's time.
#include "codeplug/default_codeplug.h"
#include "link/fleet_write.h"
#include "link/sim/pager_simulator.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

class Quiet : public quorl::FleetObserver {
public:
    void progress(std::size_t, std::string_view, int) override {}
    void identified(std::size_t, const quorl::PagerIdentity&) override {}
};

double writeSeconds(int cradles, const quorl::CodeplugImage& image) {
    std::vector<std::unique_ptr<quorl::sim::PagerSimulator>> pagers;
    std::vector<std::string> devices;
    quorl::sim::SimulatorOptions options;
    options.pace = quorl::sim::LinePace{};
    for (int i = 0; i < cradles; ++i) {
        pagers.push_back(
            std::make_unique<quorl::sim::PagerSimulator>(quorl::sim::PagerModel(image), options));
        std::string error;
        if (!pagers.back()->start(error)) {
            std::fprintf(stderr, "simulator: %s\n", error.c_str());
            return -1;
        }
        devices.push_back(pagers.back()->devicePath());
    }
    Quiet quiet;
    const auto started = std::chrono::steady_clock::now();
    const auto results = quorl::writeToAllCradles(devices, image, false, quiet);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (!quorl::fleetAllGood(results))
        std::fprintf(stderr, "%d cradles: not every pager was written\n", cradles);
    return seconds;
}

} // namespace

int main() {
    const quorl::CodeplugImage image = quorl::makeDefaultCodeplug(quorl::vhfFiveChannelFactory());
    const double one = writeSeconds(1, image);
    std::printf("cradles  seconds  ratio to one\n");
    std::printf("%7d  %7.2f  %5.2f\n", 1, one, 1.0);
    for (const int n : {4, 8}) {
        const double t = writeSeconds(n, image);
        std::printf("%7d  %7.2f  %5.2f\n", n, t, t / one);
    }
    return 0;
}
