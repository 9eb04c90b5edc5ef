#pragma once

#include "codeplug/channel_block.h"

#include <cstdint>
#include <string>

namespace quorl {

// Lowest and highest tone the pager decodes, in tenths of a hertz; 0 means no tone.
inline constexpr std::uint16_t kMinToneTenths = 2800;
inline constexpr std::uint16_t kMaxToneTenths = 34000;

bool isValidToneValue(std::uint16_t tenthsHz);

// Derives cycleCount and periodPreset from T exactly as the pager's decoder
// expects (double precision, in the order the firmware computes them).
StoredTone encodeTone(std::uint16_t tenthsHz);

// "%3.1f" of T / 10.
std::string formatTone(std::uint16_t tenthsHz);

} // namespace quorl
