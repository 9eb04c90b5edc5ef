#pragma once

#include <cstdint>
#include <string>

namespace quorl::vq4 {

// Sizes of the voice chip's memory.
inline constexpr std::uint32_t kSectorSize = 4096;
inline constexpr std::uint32_t kInternalMemoryMbit = 8;
inline constexpr std::size_t kVersionTextSize = 32;
inline constexpr std::uint8_t kImageHeaderByte = 0xCF;

// What a build wrote, for the listing and for tests.
struct ImageBuildReport {
    bool built = false;
    std::uint64_t imageBytes = 0;
    std::uint32_t recordingPointer = 0; // sector
    std::uint32_t versionAddress = 0;
    std::uint32_t checksum = 0;
};

// Lays the open project's prompts, macros and reserved regions out into the
// memory image, writes its listing and split files. The prompt list must be set.
ImageBuildReport buildDownloadImage();

// "KTV-VPE Ver 151.0010 MM/DD/YYYY " for the day the project was opened.
std::string imageVersionText(int month, int day, int year);

// The image checksum: the wrapping byte sum without the 15 bytes after the
// pointer table of an image with n table entries.
std::uint32_t imageChecksum(const std::uint8_t* image, std::size_t size, std::size_t n);

} // namespace quorl::vq4
