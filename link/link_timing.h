#pragma once

#include <chrono>

namespace quorl {

// Every sleep and time-out of the link goes through here. The program runs with the
// prescribed values (both scales 1); tests shrink them so an exchange with its 50 ms
// sleeps and 2,000 ms waits finishes in a fraction of that, and a few tests run at full
// scale to prove the prescribed rhythm still works against the simulator.
class LinkTiming {
public:
    double sleepScale = 1.0;
    double timeoutScale = 1.0;

    std::chrono::milliseconds sleepFor(int prescribedMs) const;
    std::chrono::milliseconds timeoutFor(int prescribedMs) const;
    // Sleeps the scaled form of a prescribed sleep.
    void sleep(int prescribedMs) const;
};

// The process-wide timing object.
LinkTiming& linkTiming();

// Sets the process-wide scales for the life of the object (tests).
class ScopedLinkTiming {
public:
    ScopedLinkTiming(double sleepScale, double timeoutScale);
    ~ScopedLinkTiming();
    ScopedLinkTiming(const ScopedLinkTiming&) = delete;
    ScopedLinkTiming& operator=(const ScopedLinkTiming&) = delete;

private:
    LinkTiming saved_;
};

// Milliseconds of the steady clock, the tick count the auditions record.
long long tickCountMs();

} // namespace quorl
