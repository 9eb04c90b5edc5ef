#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quorl {

class CodeplugImage;

enum class SaveOutcome {
    Saved,
    Exists, // a file of that name is there and was left as it was
    Failed,
};

// Writes an 8 kHz recording made for a slot (spoken, tidied, recorded) as `file`,
// making its folder when missing. An existing file is replaced only when `replace`
// says so; a failed write leaves any existing file as it was.
SaveOutcome saveSlotRecording(const std::filesystem::path& file,
                              const std::vector<std::int16_t>& samples, bool replace,
                              std::string& problem);

// The mode codes the codeplug's Function Switches tab has programmed, SW-A to SW-H.
std::array<int, 8> programmedSwitchModes(const CodeplugImage& image);

} // namespace quorl
