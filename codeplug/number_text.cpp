#include "codeplug/number_text.h"

#include <charconv>
#include <cmath>

namespace quorl {

double parseDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    // Only plain decimal forms: no "inf", "nan" or hexadecimal from a paste.
    const std::size_t start = i;
    if (i < text.size() && text[i] == '-')
        ++i;
    if (i >= text.size() || !(std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.'))
        return 0.0;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data() + start, text.data() + text.size(), value,
                                           std::chars_format::fixed);
    (void)ptr;
    if (ec != std::errc{} || !std::isfinite(value))
        return 0.0;
    return value;
}

std::string formatFixed(double value, int decimals) {
    char buf[400];
    const auto [ptr, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (ec != std::errc{})
        return {};
    return std::string(buf, ptr);
}

} // namespace quorl
