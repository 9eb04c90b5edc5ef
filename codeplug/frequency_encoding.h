#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorl {

// The pager's first IF. Every channel computation uses this constant, whatever
// the intermediate-frequency field of the General block says.
inline constexpr std::int64_t kIntermediateFrequencyHz = 45'100'000;

// Synthesizer step for step codes 0..3: 2,500, 3,125, 5,000 and 6,250 Hz.
int stepHz(std::uint8_t stepCode);

// VHF (band codes 0 and 1) injects above the receive frequency, UHF below.
bool isHighSideInjection(std::uint8_t bandCode);

// Receive frequency in Hz for a synthesizer word W, fraction F and step code.
std::int64_t receiveFrequencyHz(std::uint16_t w, std::uint8_t f, std::uint8_t stepCode,
                                std::uint8_t bandCode);

// "%3.6f" of the frequency in MHz, or empty when W is 0 (no frequency).
std::string formatReceiveFrequency(std::uint16_t w, std::uint8_t f, std::uint8_t stepCode,
                                   std::uint8_t bandCode);

struct SynthesizerSetting {
    std::uint16_t word = 0;
    std::uint8_t fraction = 0;
    std::uint8_t stepCode = 0;
};

// Encodes a receive frequency as the channel tab stores a typed one: VHF takes
// step 5,000 Hz when the local oscillator is a multiple of it, else 2,500 Hz; the
// UHF splits need a multiple of 6,250 Hz. None when no step fits or the word would
// not fit 16 bits.
std::optional<SynthesizerSetting> encodeReceiveFrequency(std::int64_t hz, std::uint8_t bandCode);

} // namespace quorl
