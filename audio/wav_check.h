#pragma once

#include "base/play_blocks.h"

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace quorl {

// Custom audio accepts one WAV layout only: RIFF/WAVE, "fmt " right after the
// WAVE tag, PCM, mono, 8 kHz, 16 bits, and a RIFF size of at most 65,000 bytes.
enum class WavCheck {
    Ok,
    CannotOpen,  // no message: the slot stays as it was
    NotRiff,     // File Error #9
    NotWave,     // File Error #8
    FmtNotFirst, // File Error #7
    WrongFormat, // File Error #5
    TooBig,      // File Error #4
};

inline constexpr std::uint32_t kMaxRiffSize = 65000;

struct WavCheckResult {
    WavCheck status = WavCheck::CannotOpen;
    std::uint32_t riffSize = 0;
    // The samples to play on the computer (the data chunk, at most 65,000 bytes).
    std::vector<std::uint8_t> playBuffer;
    std::size_t playBlocks() const {
        return (playBuffer.size() + kPlayBlockBytes - 1) / kPlayBlockBytes;
    }
};

WavCheckResult checkWav(const std::filesystem::path& path);

// The File Error text of a failed check; empty for Ok and CannotOpen.
std::string_view wavCheckMessage(WavCheck status);

} // namespace quorl
