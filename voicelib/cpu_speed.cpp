#include "voicelib/vq4.h"

#include <chrono>
#include <thread>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#define QUORL_HAVE_RDTSC 1
#endif

namespace {

// The processor's cycle counter; elsewhere nanoseconds stand in for cycles.
std::uint64_t cycleCounter() {
#ifdef QUORL_HAVE_RDTSC
    return __rdtsc();
#else
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
#endif
}

} // namespace

CVQ4& CVQ4::operator=(const CVQ4& other) {
    lastSpeedMHz_ = other.lastSpeedMHz_;
    return *this;
}

int64_t CVQ4::GetCpuSpeed() {
    const std::uint64_t start = cycleCounter();
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    const std::uint64_t stop = cycleCounter();
    lastSpeedMHz_ = static_cast<int64_t>((stop - start) / 1000000u);
    return lastSpeedMHz_;
}
