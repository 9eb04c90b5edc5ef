#include "link/event.h"

namespace quorl {

void Event::set() {
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    cv_.notify_one();
}

void Event::reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
}

bool Event::waitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!cv_.wait_for(lock, timeout, [this] { return signalled_; }))
        return false;
    signalled_ = false;
    return true;
}

bool Event::isSet() const {
    std::lock_guard lock(mutex_);
    return signalled_;
}

} // namespace quorl
