#include "cli/audio_preview_command.h"

#include "audio/custom_audio_slots.h"
#include "audio/pcm_wav.h"
#include "audio/slot_fit.h"
#include "audio/voice_build.h"
#include "base/atomic_file_write.h"
#include "base/decimal_text.h"
#include "base/printable_text.h"
#include "cli/codeplug_commands.h"
#include "cli/custom_audio_commands.h"
#include "cli/tones_commands.h"
#include "tones/wav_audio.h"

#include <ostream>

namespace quorl::cli {

namespace {

std::optional<HeardStream> hearRecording(const std::string& file, int compressionType, int srType,
                                         std::ostream& err) {
    if (!recordingPasses(file, err))
        return std::nullopt;
    VoiceBuild build(buildFolder());
    auto heard = build.hear(file, compressionType, srType);
    if (!heard)
        err << "Cannot compress " << printableText(file) << '\n'
            << fileProblemLine(file, build.problem());
    return heard;
}

// The program's sound output plays 8 kHz; other rates are brought to it.
std::vector<std::uint8_t> playablePcm(const HeardStream& heard) {
    std::vector<float> samples;
    samples.reserve(heard.samples.size());
    for (const std::int16_t s : heard.samples)
        samples.push_back(static_cast<float>(s) / 32768.0f);
    return tones::pcm16le(tones::resampleTo(samples, heard.sampleRate, kPlayRate));
}

} // namespace

int runAudioPreview(const AudioPreviewOptions& o, std::ostream& out, std::ostream& err) {
    if (std::string problem; !o.output.empty() && !canWriteFileAtomically(o.output, problem)) {
        err << "Cannot write the preview\n" << problemLine(problem);
        return kExitFailure;
    }
    const auto heard = hearRecording(o.file, o.compressionType, o.srType, err);
    if (!heard)
        return kExitFailure;
    if (!o.output.empty()) {
        const auto bytes = pcmWavBytes(heard->samples, heard->sampleRate);
        if (std::string problem; !writeFileAtomically(o.output, bytes, &problem)) {
            err << "Cannot write the preview\n" << problemLine(problem);
            return kExitFailure;
        }
        out << "Wrote " << printableText(o.output) << ": "
            << decimalText(static_cast<double>(heard->samples.size()) / heard->sampleRate, 3)
            << " s at " << heard->sampleRate << " Hz, " << heard->codecTag << " stream of "
            << heard->stream.size() << " bytes\n";
    }
    return o.play ? playOnSoundOutput(playablePcm(*heard), err) : kExitOk;
}

int runAudioFit(const std::string& file, int compressionType, int srType, std::ostream& out,
                std::ostream& err) {
    const auto heard = hearRecording(file, compressionType, srType, err);
    if (!heard)
        return kExitFailure;
    const SlotFit fit = slotFit(heard->stream.size(), heard->samples.size(), heard->sampleRate);
    out << printableText(file) << ": OK\n"
        << "stream: " << fit.streamBytes << " bytes, " << heard->codecTag << ", " << fit.pages
        << (fit.pages == 1 ? " page" : " pages") << " of " << kSlotSectors << '\n'
        << "slot: " << slotFitText(fit) << '\n';
    if (!fit.fits) {
        err << printableText(file) << ": too long for a custom audio slot ("
            << decimalText(fit.seconds, 1) << " s; at most " << decimalText(fit.longestSeconds, 1)
            << " s fit at this compression)\n";
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace quorl::cli
