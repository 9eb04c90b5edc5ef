#pragma once

#include <cstdint>

namespace quorl::vq4 {

// The voice chip derives every playback rate from one master sample rate, the
// system clock over 512. The clock configuration byte selects a multiplier
// (bits 5..4) and a divider (bits 3..2) for the input clock.
double masterSampleRate(std::uint8_t clockConfigurationByte, double clockInputFrequency);

// Above this the chip's audio quality suffers; the project still opens.
inline constexpr double kMasterRateWarningHz = 48000.0;

// Sample-rate types 0..6 divide the master rate by 8, 6, 5, 4, 2.5, 2, 1.
inline constexpr int kMaxSrType = 6;
// SRType -1 asks for the library default: 8 kHz at the usual 32 kHz master rate,
// the type the program itself uses.
inline constexpr int kDefaultSrType = 3;
inline constexpr int kNearestSrType = -2;

// Exact rate of a type (0 for any type outside 0..6).
double srTypeRateExact(int srType, double masterRate);
// A prompt's rate in Hz: the exact quotient truncated.
int srTypeRate(int srType, double masterRate);
// The type whose rate is nearest to `rate`, ties going to the higher type.
int nearestSrType(double rate, double masterRate);

} // namespace quorl::vq4
