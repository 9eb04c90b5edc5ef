#include "codeplug/frequency_encoding.h"

#include "base/decimal_text.h"

#include <array>

namespace quorl {

int stepHz(std::uint8_t stepCode) {
    static constexpr std::array<int, 4> kSteps{2500, 3125, 5000, 6250};
    return kSteps[stepCode & 0x03];
}

bool isHighSideInjection(std::uint8_t bandCode) {
    return bandCode < 2;
}

std::int64_t receiveFrequencyHz(std::uint16_t w, std::uint8_t f, std::uint8_t stepCode,
                                std::uint8_t bandCode) {
    const std::int64_t lo = (std::int64_t{w} * 128 + f) * stepHz(stepCode);
    return isHighSideInjection(bandCode) ? lo - kIntermediateFrequencyHz
                                         : lo + kIntermediateFrequencyHz;
}

std::string formatReceiveFrequency(std::uint16_t w, std::uint8_t f, std::uint8_t stepCode,
                                   std::uint8_t bandCode) {
    if (w == 0)
        return {};
    const double mhz = static_cast<double>(receiveFrequencyHz(w, f, stepCode, bandCode)) / 1e6;
    return decimalText(mhz, 6);
}

std::optional<SynthesizerSetting> encodeReceiveFrequency(std::int64_t hz, std::uint8_t bandCode) {
    const bool vhf = isHighSideInjection(bandCode);
    const std::int64_t lo = vhf ? hz + kIntermediateFrequencyHz : hz - kIntermediateFrequencyHz;
    if (lo <= 0)
        return std::nullopt;
    // VHF synthesizes on a 5 kHz grid, or 2.5 kHz for the offset channels; the
    // UHF splits only on 6.25 kHz.
    std::uint8_t code = 0;
    if (vhf && lo % 5000 == 0)
        code = 2;
    else if (vhf && lo % 2500 == 0)
        code = 0;
    else if (!vhf && lo % 6250 == 0)
        code = 3;
    else
        return std::nullopt;
    const std::int64_t k = lo / stepHz(code);
    if (k / 128 > 0xFFFF)
        return std::nullopt;
    return SynthesizerSetting{static_cast<std::uint16_t>(k / 128),
                              static_cast<std::uint8_t>(k % 128), code};
}

} // namespace quorl
