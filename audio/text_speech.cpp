#include "audio/text_speech.h"

#include <algorithm>
#include <cstring>
#include <espeak-ng/speak_lib.h>
#include <mutex>

namespace quorl {

namespace {

// eSpeak NG has one synthesiser per process.
std::mutex speechInUse;
std::vector<std::int16_t>* collecting = nullptr;

int collect(short* wav, int count, espeak_EVENT*) {
    if (wav != nullptr && count > 0 && collecting != nullptr)
        collecting->insert(collecting->end(), wav, wav + count);
    return 0; // go on
}

// The synthesiser's rate, 0 when it does not start (no voice data installed).
int speechRate() {
    static const int rate = [] {
        const int r = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
        if (r > 0)
            espeak_SetSynthCallback(collect);
        return r;
    }();
    return rate;
}

} // namespace

SpeechResult speakText(const std::string& text, const SpeechSettings& settings) {
    SpeechResult result;
    const std::lock_guard lock(speechInUse);
    result.rate = speechRate();
    if (result.rate <= 0) {
        result.problem = "the speech synthesiser (eSpeak NG) does not start";
        return result;
    }
    if (espeak_SetVoiceByName(settings.voice.c_str()) != EE_OK) {
        result.problem = "no eSpeak NG voice \"" + settings.voice + "\"";
        return result;
    }
    espeak_SetParameter(espeakRATE, std::clamp(settings.wordsPerMinute, 80, 450), 0);
    espeak_SetParameter(espeakPITCH, std::clamp(settings.pitch, 0, 100), 0);
    collecting = &result.samples;
    const espeak_ERROR status = espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8, nullptr, nullptr);
    espeak_Synchronize();
    collecting = nullptr;
    if (status != EE_OK)
        result.problem = "eSpeak NG could not say the text";
    else if (result.samples.empty())
        result.problem = "there is nothing to say";
    return result;
}

std::vector<SpeechVoice> speechVoices() {
    const std::lock_guard lock(speechInUse);
    std::vector<SpeechVoice> voices;
    if (speechRate() <= 0)
        return voices;
    for (const espeak_VOICE** v = espeak_ListVoices(nullptr); v != nullptr && *v != nullptr; ++v) {
        // The language list is a priority byte, then the language, per entry.
        const char* languages = (*v)->languages;
        if (languages == nullptr || languages[0] == '\0')
            continue;
        voices.push_back({languages + 1, (*v)->name ? (*v)->name : ""});
    }
    std::sort(voices.begin(), voices.end(),
              [](const SpeechVoice& a, const SpeechVoice& b) { return a.language < b.language; });
    return voices;
}

} // namespace quorl
