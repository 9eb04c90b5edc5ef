// quorl-link-latency: how long after the pager's last reply byte the waiting exchange
// wakes up, measured against the simulator on a pseudo-terminal.
#include "base/decimal_text.h"
#include "codeplug/default_codeplug.h"
#include "link/command_frames.h"
#include "link/link_shared.h"
#include "link/operation_host.h"
#include "link/pager_link.h"
#include "link/sim/pager_simulator.h"
#include "link/sim/printing_host.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <vector>

int main(int argc, char** argv) {
    using namespace quorl;
    using Clock = std::chrono::steady_clock;
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    sim::PagerSimulator simulator(sim::PagerModel(makeDefaultCodeplug(vhfFiveChannelFactory())),
                                  {});
    std::string error;
    if (!simulator.start(error)) {
        std::cerr << error << '\n';
        return 1;
    }
    sim::PrintingHost host;
    PagerLink link(host);
    if (!link.open(simulator.devicePath()))
        return 1;
    std::vector<double> wake, block;
    for (int i = 0; i < rounds; ++i) {
        for (const bool blockRead : {false, true}) {
            link.clearReplyStatus();
            link.send(blockRead ? readBlockFrame(0x0100) : std::string(frame_text::kStatus));
            if (!link.waitForDrain(2000))
                continue;
            const auto woke = Clock::now();
            const auto last = simulator.lastReplyWritten();
            const double us = std::chrono::duration<double, std::micro>(woke - last).count();
            (blockRead ? block : wake).push_back(us);
            // Let a reply split over two drains settle before the next round.
            while (link.waitForDrain(5)) {
            }
        }
        if (i == 0) {
            link.send(frame_text::kStartRead);
            link.waitForDrain(2000);
        }
    }
    link.close();
    simulator.stop();
    auto report = [](const char* what, std::vector<double> v) {
        if (v.empty())
            return;
        std::sort(v.begin(), v.end());
        auto at = [&](double q) {
            return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1))];
        };
        const auto us = [](double value) { return decimalText(value, 0); };
        std::printf("%-28s n=%zu  min %s us  median %s us  p95 %s us  max %s us\n", what, v.size(),
                    us(v.front()).c_str(), us(at(0.5)).c_str(), us(at(0.95)).c_str(),
                    us(v.back()).c_str());
    };
    report("status reply (8 bytes)", wake);
    report("block reply (73 bytes)", block);
    return 0;
}
