#include "audio/spoken_recording.h"

#include "audio/custom_audio_slots.h"
#include "audio/pcm_wav.h"
#include "audio/recording_tidy.h"
#include "audio/wav_check.h"
#include "base/decimal_text.h"

#include <algorithm>

namespace quorl {

SpokenRecording speakForSlot(const std::string& text, const SpeechSettings& settings) {
    SpokenRecording result;
    const SpeechResult speech = speakText(text, settings);
    if (!speech.problem.empty()) {
        result.problem = speech.problem;
        return result;
    }
    TidyResult tidy = tidySamples(speech.samples, speech.rate, TidySettings{});
    if (!tidy.problem.empty()) {
        result.problem = tidy.problem;
        return result;
    }
    result.samples = std::move(tidy.samples);
    const std::size_t riffSize = 36 + result.samples.size() * 2;
    if (riffSize > kMaxRiffSize)
        result.problem = "said, it takes " +
                         decimalText(static_cast<double>(result.samples.size()) / kTidyRate, 1) +
                         " s; a custom audio slot takes at most 4.0 s";
    return result;
}

std::vector<std::byte> spokenWav(const SpokenRecording& spoken) {
    return pcmWavBytes(spoken.samples, kTidyRate);
}

std::filesystem::path customAudioFolder() {
    const auto build = buildFolder();
    return build.empty() ? build : build.parent_path() / "Custom Audio";
}

std::string spokenFileName(int slot, const std::string& text, const std::string& voice) {
    std::string name(kCustomAudioSlots.at(static_cast<std::size_t>(slot)).shortName);
    name += " - ";
    std::size_t cut = std::min<std::size_t>(text.size(), 60);
    while (cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut; // never half a character
    std::string said = text.substr(0, cut);
    for (char& c : said)
        if (static_cast<unsigned char>(c) < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' ||
            c == '?' || c == '"' || c == '<' || c == '>' || c == '|')
            c = '_';
    return name + said + " (" + voice + ").wav";
}

} // namespace quorl
