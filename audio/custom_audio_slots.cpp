#include "audio/custom_audio_slots.h"

#include "base/private_folder.h"

#include <cstdlib>

namespace quorl {

const std::array<CustomAudioSlot, kCustomAudioSlotCount> kCustomAudioSlots{{
    {"Alert 1 file name :", "WavForms/01_custom_alert_1.wav", "Custom Alert 1", "Alert 1"},
    {"Alert 2 file name :", "WavForms/02_custom_alert_2.wav", "Custom Alert 2", "Alert 2"},
    {"Alert 3 file name :", "WavForms/03_custom_alert_3.wav", "Custom Alert 3", "Alert 3"},
    {"Alert 4 file name :", "WavForms/04_custom_alert_4.wav", "Custom Alert 4", "Alert 4"},
    {"Alert 5 file name :", "WavForms/05_custom_alert_5.wav", "Custom Alert 5", "Alert 5"},
    {"SW A file name :", "WavForms/01_function_switch_A.wav", "Custom SW-A", "SW A"},
    {"SW B file name :", "WavForms/02_function_switch_B.wav", "Custom SW-B", "SW B"},
    {"SW C file name :", "WavForms/03_function_switch_C.wav", "Custom SW-C", "SW C"},
    {"SW D file name :", "WavForms/04_function_switch_D.wav", "Custom SW-D", "SW D"},
    {"SW E file name :", "WavForms/05_function_switch_E.wav", "Custom SW-E", "SW E"},
    {"SW F file name :", "WavForms/06_function_switch_F.wav", "Custom SW-F", "SW F"},
    {"SW G file name :", "WavForms/07_function_switch_G.wav", "Custom SW-G", "SW G"},
    {"SW H file name :", "WavForms/08_function_switch_H.wav", "Custom SW-H", "SW H"},
}};

std::filesystem::path defaultRecording(const std::filesystem::path& installFolder, int slot) {
    return installFolder / kCustomAudioSlots.at(static_cast<std::size_t>(slot)).defaultFile;
}

std::filesystem::path buildFolder() {
    if (const char* dir = std::getenv("QUORL_BUILD_DIR"); dir && *dir)
        return dir;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return std::filesystem::path(data) / "tessaly-vi-quorl" / "BuildIMG";
    // Never a shared folder such as /tmp: with no home at all there is no working folder,
    // and using it fails with a message.
    const std::filesystem::path home = userHomeFolder();
    if (home.empty())
        return {};
    return home / ".local" / "share" / "tessaly-vi-quorl" / "BuildIMG";
}

} // namespace quorl
