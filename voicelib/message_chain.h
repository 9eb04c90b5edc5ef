#pragma once

#include <cstdint>
#include <vector>

namespace quorl::vq4 {

// Messages in reserved memory are chained through whole sectors. Each sector
// starts with a 5-byte header, leaving 4091 content bytes, the size of one
// compressed block:
//   status  0xDF first sector of a message, 0x1F a following sector,
//           0x5F an empty slot the pager may record into
//   next    16-bit sector number of the next sector, 0xFFFF at the end
//   used    16-bit count of content bytes in this sector
// (all with bit 5 clear, which reserved data must keep).
inline constexpr std::uint8_t kMessageFirst = 0xDF;
inline constexpr std::uint8_t kMessageFollowing = 0x1F;
inline constexpr std::uint8_t kMessageEmpty = 0x5F;
inline constexpr std::uint32_t kMessageSectorHeader = 5;
inline constexpr std::uint32_t kMessageSectorContent = 4096 - kMessageSectorHeader;

// Sectors a message of `bytes` bytes needs (at least one).
std::uint32_t messageSectorCount(std::size_t bytes);

// The sectors of a message placed from sector `firstSector` on, `sectors` in
// all: the stream chained through as many as it needs, the rest empty slots.
std::vector<std::uint8_t> messageSectors(const std::vector<std::uint8_t>& stream,
                                         std::uint32_t firstSector, std::uint32_t sectors);

} // namespace quorl::vq4
