#include "editors/reset_timer.h"

#include "base/decimal_text.h"

#include <cmath>

namespace quorl {
namespace {
constexpr int kStepMs = 500;
constexpr int kMaxMs = 127'500;
} // namespace

std::optional<std::uint8_t> resetTimerCount(double seconds) {
    if (!(seconds >= 0.5 && seconds <= 127.5))
        return std::nullopt;
    return static_cast<std::uint8_t>(nearestSteps(seconds * 1000.0, kStepMs) & 0xFF);
}

std::string formatResetTimer(std::uint8_t count) {
    return decimalText(count * 0.5, 1);
}

int stepResetTimerMs(int shownMs, bool up) {
    int m = shownMs < 0 || shownMs > kMaxMs ? 0 : shownMs - shownMs % kStepMs;
    if (up)
        m = (m == 0 || m == kMaxMs) ? kStepMs : m + kStepMs;
    else
        m = (m == 0 || m == kStepMs) ? kMaxMs : m - kStepMs;
    return m;
}

} // namespace quorl
