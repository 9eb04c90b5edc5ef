#pragma once

#include "codeplug/codeplug_image.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorl {

// A .ppg file is one record: this 48-character header, then the 16,384-byte image.
inline constexpr std::string_view kPpgHeader = "2012 Voice Pager File 0100~3BFF 0x3FFF VER:01.00";
inline constexpr std::size_t kPpgRecordSize = 48 + kImageSize;

enum class PpgReadStatus {
    Ok,
    CannotOpen,    // the file cannot be opened for reading
    InvalidFormat, // short file, wrong header, or a second whole record
};

struct PpgReadResult {
    PpgReadStatus status = PpgReadStatus::CannotOpen;
    CodeplugImage image;
    std::string problem; // why it failed, in words ("no such file", "not a codeplug file")
};

// Reads one record. Bytes after the record that do not make a whole second record
// are ignored. Only regular files are read: a FIFO or a device would block or never
// end.
PpgReadResult readPpgFile(const std::filesystem::path& path);

// The bytes of a .ppg file holding `image`.
std::vector<std::byte> ppgFileBytes(const CodeplugImage& image);

// Writes header and image to a temporary file beside the target and renames it
// over the target only after a complete, flushed write, so a failure never
// damages an existing file. Returns false when anything fails, with the reason in
// `problem` when given.
bool writePpgFile(const std::filesystem::path& path, const CodeplugImage& image,
                  std::string* problem = nullptr);

} // namespace quorl
