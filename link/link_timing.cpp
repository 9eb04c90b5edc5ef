#include "link/link_timing.h"

#include <cmath>
#include <thread>

namespace quorl {

namespace {
std::chrono::milliseconds scaled(int ms, double scale) {
    return std::chrono::milliseconds(static_cast<long long>(std::llround(ms * scale)));
}
} // namespace

std::chrono::milliseconds LinkTiming::sleepFor(int prescribedMs) const {
    return scaled(prescribedMs, sleepScale);
}

std::chrono::milliseconds LinkTiming::timeoutFor(int prescribedMs) const {
    return scaled(prescribedMs, timeoutScale);
}

void LinkTiming::sleep(int prescribedMs) const {
    // A scaled sleep of 0 still yields, as Sleep(0) does.
    const auto d = sleepFor(prescribedMs);
    if (d.count() > 0)
        std::this_thread::sleep_for(d);
    else
        std::this_thread::yield();
}

LinkTiming& linkTiming() {
    static LinkTiming timing;
    return timing;
}

ScopedLinkTiming::ScopedLinkTiming(double sleepScale, double timeoutScale) : saved_(linkTiming()) {
    linkTiming().sleepScale = sleepScale;
    linkTiming().timeoutScale = timeoutScale;
}

ScopedLinkTiming::~ScopedLinkTiming() {
    linkTiming() = saved_;
}

long long tickCountMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace quorl
