#include "audio/slot_recording_file.h"

#include "audio/pcm_wav.h"
#include "audio/recording_tidy.h"
#include "base/atomic_file_write.h"
#include "codeplug/function_switch_block.h"

namespace quorl {

namespace fs = std::filesystem;

SaveOutcome saveSlotRecording(const fs::path& file, const std::vector<std::int16_t>& samples,
                              bool replace, std::string& problem) {
    std::error_code ec;
    if (!replace && fs::exists(fs::symlink_status(file, ec)))
        return SaveOutcome::Exists;
    fs::create_directories(file.parent_path(), ec);
    if (ec) {
        problem = file.parent_path().string() + ": " + ec.message();
        return SaveOutcome::Failed;
    }
    const auto bytes = pcmWavBytes(samples, kTidyRate);
    return writeFileAtomically(file, bytes, &problem) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

std::array<int, 8> programmedSwitchModes(const CodeplugImage& image) {
    std::array<int, 8> modes{};
    const ConstFunctionSwitchBlock block(image);
    for (int k = 0; k < 8; ++k)
        modes[static_cast<std::size_t>(k)] = block.entry(k).mode();
    return modes;
}

} // namespace quorl
