#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorl {

// How eSpeak NG says a text.
struct SpeechSettings {
    std::string voice = "en"; // a language ("de", "en-us") or a voice's name
    int wordsPerMinute = 150; // 80..450; slower than eSpeak's 175, for a small speaker
    int pitch = 50;           // 0..100
};

struct SpeechResult {
    std::vector<std::int16_t> samples;
    int rate = 0;
    std::string problem; // empty when spoken
};

// `text` spoken by eSpeak NG at its own rate (22,050 Hz), untidied.
SpeechResult speakText(const std::string& text, const SpeechSettings& settings);

struct SpeechVoice {
    std::string language; // the voice's first language, as --voice takes it
    std::string name;     // "German", "English_(America)"
};

// The voices installed with eSpeak NG, by language.
std::vector<SpeechVoice> speechVoices();

} // namespace quorl
