#include "base/decimal_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace quorl {

std::string decimalText(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 17);
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    }
    // 309 integer digits, sign, point and 17 decimals fit.
    std::array<char, 340> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) {
        return {};
    }
    std::string text(buffer.data(), result.ptr);
    if (text.starts_with('-') && text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1); // a value that rounds to zero shows no sign
    }
    return text;
}

long nearestSteps(double value, double step) {
    return std::lround(value / step);
}

std::optional<double> parseDecimalText(std::string_view text) {
    int digits = 0;
    int points = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.') {
            ++points;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || points > 1) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace quorl
