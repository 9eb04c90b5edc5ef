#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace quorl {

// One Play Pager request: the audition command (0xB0, 0xB5 or 0xB6), its parameter
// bytes and how long the pager will be busy sounding it.
struct AuditionRequest {
    std::uint8_t command = 0;
    std::vector<std::uint8_t> parameters;
    int durationMs = 0;
};

// What the Play Pager buttons need from the pager link: run the short audition
// exchange on the calling thread. `startTimer` is called with the duration once
// the pager was told to play; a failure has been reported to the user by then.
class AuditionPort {
public:
    virtual ~AuditionPort() = default;
    virtual void play(const AuditionRequest& request,
                      const std::function<void(int durationMs)>& startTimer) = 0;
};

// Shared by the Play Pager buttons of every window: whether an audition may start,
// and when the running one started and for how long.
class AuditionState {
public:
    using Clock = std::chrono::steady_clock;

    bool allowed() const { return allowed_; }
    void allow() { allowed_ = true; }
    // Called by the link when the pager starts sounding.
    void started(int durationMs, Clock::time_point now = Clock::now());
    // Time left of the running audition, 0 when none runs.
    int remainingMs(Clock::time_point now = Clock::now()) const;

    static AuditionState& process();

private:
    bool allowed_ = true;
    Clock::time_point start_{};
    int durationMs_ = 0;
};

} // namespace quorl
