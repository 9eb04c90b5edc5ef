#pragma once

#include "audio/custom_audio_slots.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace quorl {

struct SlotState {
    std::string path; // the custom file, or the default one
    bool useDefault = false;
    bool write = false;
    friend bool operator==(const SlotState&, const SlotState&) = default;
};

using SlotStates = std::array<SlotState, kCustomAudioSlotCount>;

// exist_file.jjb: 39 lines ended by CR LF: the 13 paths, the 13 "Use Default"
// flags, the 13 "Write" flags ("0"/"1"). None when the file does not exist; lines
// that are missing read as the defaults, anything but "1" reads as "0".
std::optional<SlotStates> readSlotStateFile(const std::filesystem::path& file,
                                            const std::filesystem::path& installFolder);
// The state a missing file is created with: default paths, every flag "0".
SlotStates defaultSlotStates(const std::filesystem::path& installFolder);
// Replaces the file only once the new one is complete; false on failure.
bool writeSlotStateFile(const std::filesystem::path& file, const SlotStates& states);

inline constexpr const char* kSlotStateFileName = "exist_file.jjb";

bool anySlotMarked(const SlotStates& states);

} // namespace quorl
