#include "editors/audition_port.h"

#include <algorithm>

namespace quorl {

void AuditionState::started(int durationMs, Clock::time_point now) {
    allowed_ = false;
    start_ = now;
    durationMs_ = durationMs;
}

int AuditionState::remainingMs(Clock::time_point now) const {
    if (allowed_ || durationMs_ <= 0)
        return 0;
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(now - start_).count();
    return static_cast<int>(std::max<long long>(0, durationMs_ - elapsed));
}

AuditionState& AuditionState::process() {
    static AuditionState state;
    return state;
}

} // namespace quorl
