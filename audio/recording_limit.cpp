#include "audio/recording_limit.h"

#include "audio/pcm_wav.h"
#include "audio/recording_tidy.h"
#include "audio/slot_fit.h"
#include "audio/voice_build.h"
#include "base/atomic_file_write.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <stdlib.h>

namespace quorl {

namespace fs = std::filesystem;

std::optional<double> slotRecordingLimit(const fs::path& buildFolder, int compressionType,
                                         int srType, std::string& problem) {
    std::vector<std::int16_t> tone(kTidyRate);
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<std::int16_t>(
            std::lround(8000.0 * std::sin(2 * M_PI * 440.0 * static_cast<double>(i) / kTidyRate)));
    std::string folder = (fs::temp_directory_path() / "quorl-probe-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        problem = "no private folder can be made: " + std::string(std::strerror(errno));
        return std::nullopt;
    }
    const fs::path probe = fs::path(folder) / "probe.wav";
    std::optional<double> limit;
    if (writeFileAtomically(probe, pcmWavBytes(tone, kTidyRate), &problem)) {
        VoiceBuild build(buildFolder);
        if (const auto heard = build.hear(probe.string(), compressionType, srType))
            limit = recordingLimitSeconds(
                slotFit(heard->stream.size(), heard->samples.size(), heard->sampleRate));
        else
            problem = build.problem();
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return limit;
}

} // namespace quorl
