#pragma once

#include "audio/text_speech.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quorl {

// A text spoken for a custom audio slot: eSpeak NG's speech, tidied as a recording
// is (trimmed, filtered, evened, peak at -1 dBFS) and brought to 8 kHz mono.
struct SpokenRecording {
    std::vector<std::int16_t> samples; // 8 kHz
    std::string problem;               // empty when it makes a slot's WAV
};
SpokenRecording speakForSlot(const std::string& text, const SpeechSettings& settings);

// The WAV bytes of a spoken recording.
std::vector<std::byte> spokenWav(const SpokenRecording& spoken);

// Where spoken and recorded announcements are kept: "Custom Audio" beside the voice
// build folder ($XDG_DATA_HOME/tessaly-vi-quorl/Custom Audio).
std::filesystem::path customAudioFolder();

// The file a slot's spoken text goes to, named for what it is:
// "SW A - Scan mode (de).wav". Characters no file name should hold become "_".
std::string spokenFileName(int slot, const std::string& text, const std::string& voice);

} // namespace quorl
