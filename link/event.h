#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace quorl {

// An auto-reset event: set() wakes one waiter (or the next one to wait), and a
// successful wait resets it. The watcher sets it after each drain; the exchange waits.
class Event {
public:
    void set();
    void reset();
    // True when the event was set within the time-out (and is now reset again).
    bool waitFor(std::chrono::milliseconds timeout);
    bool isSet() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    bool signalled_ = false;
};

} // namespace quorl
