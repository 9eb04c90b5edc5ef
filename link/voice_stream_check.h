#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace quorl {

// The configuration byte every block of the stream the pager plays begins with:
// 4-bit ADPCM at 8,000 Hz.
inline constexpr std::uint8_t kSlotStreamConfiguration = 0x64;

// Pages a stream of `length` bytes fills: one per 4,091-byte block.
std::size_t pagesForStream(std::size_t length);

// Why a compressed stream must not go into a slot's four sectors ("empty", "no sound
// after the configuration byte", "block 2 does not begin with 0x64", "5 pages, more
// than a slot holds"); nothing when it may. An empty or cut-off stream would be played
// as silence or noise, and a longer one would run into the next slot.
std::optional<std::string> voiceStreamProblem(std::span<const std::uint8_t> stream);

} // namespace quorl
