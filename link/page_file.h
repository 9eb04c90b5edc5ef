#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace quorl {

// A compressed voice stream as the pager's voice memory takes it: pages of 4,096
// bytes, one per 4,091-byte block of the stream, each page headed by its flags,
// the offset of its last data byte and the sector that follows it.
inline constexpr std::size_t kPageSize = 4096;
inline constexpr std::size_t kStreamBlock = 4091;
inline constexpr std::size_t kPagesPerSlot = 4;

// The pages of a stream whose pages go from `firstSector` on.
std::vector<std::uint8_t> makePages(const std::vector<std::uint8_t>& stream,
                                    std::uint16_t firstSector);

// The .dwk file of a .bin stream: the stream's path with ".dwk" for ".bin".
std::filesystem::path pageFilePath(const std::filesystem::path& streamPath);

// Writes the page file of a stream already read (beside `streamPath`); false when it
// cannot be written whole.
bool writePageFile(const std::filesystem::path& streamPath, const std::vector<std::uint8_t>& stream,
                   std::uint16_t firstSector);

// Reads the stream and writes its page file (padded with 0xFF to the length the
// pager's tools always gave it). False when the stream cannot be read or the page
// file cannot be written.
bool convertStreamToPageFile(const std::filesystem::path& streamPath, std::uint16_t firstSector);

// Up to four pages of a slot, as read back from its page file.
struct PageBuffer {
    std::array<std::uint8_t, kPagesPerSlot * kPageSize> bytes{};
    std::size_t pages = 0;
};

// Reads the pages a page file holds (at most four); false when it cannot be opened.
bool readPageFile(const std::filesystem::path& path, PageBuffer& buffer);

// The sector a page goes to, from its header: a page that is not the last names the
// sector after its own.
std::uint16_t pageSector(const std::uint8_t* page);

} // namespace quorl
