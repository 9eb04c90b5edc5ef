#pragma once

#include <array>
#include <filesystem>
#include <string_view>

namespace quorl {

inline constexpr int kCustomAudioSlotCount = 13;

// One of the thirteen sounds: five custom alerts, then the eight switch
// announcements.
struct CustomAudioSlot {
    std::string_view rowLabel;     // "Alert 1 file name :"
    std::string_view defaultFile;  // relative to the installation folder
    std::string_view downloadName; // "Custom Alert 1"
    std::string_view shortName;    // "Alert 1"
};

extern const std::array<CustomAudioSlot, kCustomAudioSlotCount> kCustomAudioSlots;

// The slot's default recording in an installation folder.
std::filesystem::path defaultRecording(const std::filesystem::path& installFolder, int slot);

// Where the voice build keeps its working files and the slot state file:
// $QUORL_BUILD_DIR, else $XDG_DATA_HOME/tessaly-vi-quorl/BuildIMG, else
// ~/.local/share/tessaly-vi-quorl/BuildIMG (home from the password database when HOME
// is unset); empty when there is no home. Users of it check it with
// ensurePrivateFolder before they write there.
std::filesystem::path buildFolder();

} // namespace quorl
