#include "voicelib/sample_rates.h"

#include <array>

namespace quorl::vq4 {

double masterSampleRate(std::uint8_t clockConfigurationByte, double clockInputFrequency) {
    const int m = (clockConfigurationByte >> 4) & 3;
    const int d = (clockConfigurationByte >> 2) & 3;
    double systemClock = clockInputFrequency;
    if (m != 0) {
        const double f = m == 1 ? 8.0 : m == 2 ? 16.0 : 32.0;
        const double g = d == 0 ? 1.0 : d == 1 ? 2.0 : 3.0;
        systemClock = clockInputFrequency * f / (2.0 * g);
    }
    return systemClock / 512.0;
}

double srTypeRateExact(int srType, double masterRate) {
    static constexpr std::array<double, 7> kDivisor{8.0, 6.0, 5.0, 4.0, 2.5, 2.0, 1.0};
    if (srType < 0 || srType > kMaxSrType)
        return 0.0;
    return masterRate / kDivisor[static_cast<std::size_t>(srType)];
}

int srTypeRate(int srType, double masterRate) {
    const double exact = srTypeRateExact(srType, masterRate);
    // Rates beyond what an int holds only come from absurd clock settings.
    if (!(exact > 0.0) || exact > 2.0e9)
        return 0;
    return static_cast<int>(exact);
}

int nearestSrType(double rate, double masterRate) {
    for (int k = 0; k < kMaxSrType; ++k) {
        const double mid =
            (srTypeRateExact(k, masterRate) + srTypeRateExact(k + 1, masterRate)) / 2;
        if (mid > rate)
            return k;
    }
    return kMaxSrType;
}

} // namespace quorl::vq4
