#include "editors/frequency_entry.h"

#include "base/decimal_text.h"

#include <cmath>

namespace quorl {

FrequencyCheck checkFrequency(std::string_view typed, int bandLowMHz, int bandHighMHz,
                              std::uint8_t bandCode) {
    FrequencyCheck out;
    out.lowLimit = bandLowMHz - 1;
    out.highLimit = bandHighMHz + 1;
    const double mhz = parseDecimalText(typed).value_or(0.0);
    if (mhz < out.lowLimit || mhz > out.highLimit)
        return out;
    out.outOfBand = mhz < bandLowMHz || mhz > bandHighMHz;
    const auto hz = std::llround(mhz * 1e6);
    const auto setting = encodeReceiveFrequency(hz, bandCode);
    if (!setting) {
        out.outcome = FrequencyCheck::Outcome::OffGrid;
        return out;
    }
    out.outcome = FrequencyCheck::Outcome::Accepted;
    out.setting = *setting;
    out.text = decimalText(mhz, 6);
    return out;
}

} // namespace quorl
