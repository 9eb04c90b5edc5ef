#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorl {

// The reset timer counts half seconds, 1 to 255 (0.5 to 127.5 s).

// The stored count for a typed number of seconds (0.5..127.5, rounded to the
// nearest half second), or none when out of range.
std::optional<std::uint8_t> resetTimerCount(double seconds);

// "%.1f" of the count in seconds.
std::string formatResetTimer(std::uint8_t count);

// One click of the spin control on the shown value, in milliseconds: the arrows
// wrap between 0.5 and 127.5 s. A shown value that is not a whole number of half
// seconds, or outside the range, steps from the half second below it or from 0,
// so what is shown is always what is stored.
int stepResetTimerMs(int shownMs, bool up);

} // namespace quorl
