#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quorl::test {

// Builds WAV files byte by byte, so a test can make exactly the malformed file it
// needs.
struct WavLayout {
    std::uint16_t format = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 8000;
    std::uint32_t byteRate = 16000;
    std::uint16_t blockAlign = 2;
    std::uint16_t bits = 16;
    std::size_t samples = 800; // of a 440 Hz sine, unless `pcm` gives them
    std::vector<std::int16_t> pcm;
    std::string riffTag = "RIFF";
    std::string waveTag = "WAVE";
    std::vector<std::uint8_t> chunkBeforeFmt; // a whole chunk, header included
    std::int64_t riffSizeOverride = -1;
};

std::vector<std::uint8_t> makeWav(const WavLayout& layout);
void writeWav(const std::filesystem::path& path, const WavLayout& layout);

} // namespace quorl::test
