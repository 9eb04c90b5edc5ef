#pragma once

#include "audio/text_speech.h"

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace quorl::cli {

struct AudioSpeakOptions {
    std::string text;
    std::string output;
    SpeechSettings settings;
};

// `quorl audio speak "Scan mode" -o sw_a.wav [--voice de] [--speed WPM] [--pitch P]`:
// the text spoken by eSpeak NG, tidied, as a WAV a custom audio slot takes.
int runAudioSpeak(const AudioSpeakOptions& options, std::ostream& out, std::ostream& err);

// `quorl audio voices`: the eSpeak NG voices --voice takes.
int runAudioVoices(std::ostream& out, std::ostream& err);

void addSpeakCommands(CLI::App& audio, int& exitCode);

} // namespace quorl::cli
