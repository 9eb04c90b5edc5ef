#include "codeplug/tone_encoding.h"

#include "base/decimal_text.h"

#include <cmath>

namespace quorl {

bool isValidToneValue(std::uint16_t t) {
    return t == 0 || (t >= kMinToneTenths && t <= kMaxToneTenths);
}

StoredTone encodeTone(std::uint16_t t) {
    StoredTone out;
    out.tenthsHz = t;
    if (t == 0)
        return out; // no tone: the derived bytes would divide by zero
    // The tone raised by 0.02 %, in double precision: an integer division here
    // drops the fraction and leaves periodPreset one too low for many tones.
    const double x = static_cast<double>(t) + (2.0 * static_cast<double>(t)) / 10000.0;
    const double fPrime = x / 10.0;
    const double cycles = std::trunc(fPrime * 118920.0 / 3579545.0);
    out.cycleCount = static_cast<std::uint8_t>(static_cast<int>(cycles) & 0xFF);
    const double preset =
        std::trunc(991.0000002768509 - cycles * 119318.1667 / (x * 4.0 / 10.0) + 0.5);
    out.periodPreset = static_cast<std::uint8_t>(static_cast<long long>(preset) & 0xFF);
    return out;
}

std::string formatTone(std::uint16_t t) {
    return decimalText(static_cast<double>(t) / 10.0, 1);
}

} // namespace quorl
