#pragma once

#include "codeplug/frequency_encoding.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorl {

// What a typed receive frequency comes to, before anything is shown or stored.
struct FrequencyCheck {
    enum class Outcome { OutOfRange, OffGrid, Accepted };
    Outcome outcome = Outcome::OutOfRange;
    bool outOfBand = false; // inside the 1 MHz slack but outside the band
    int lowLimit = 0;       // the accepted range, for the range message
    int highLimit = 0;
    SynthesizerSetting setting; // when accepted
    std::string text;           // "%3.6f" of the typed MHz, when accepted
};

// The band is [bandLow, bandHigh] MHz; one megahertz either side is still taken
// (with a warning) because the synthesizer reaches it.
FrequencyCheck checkFrequency(std::string_view typed, int bandLowMHz, int bandHighMHz,
                              std::uint8_t bandCode);

} // namespace quorl
