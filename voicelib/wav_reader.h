#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace quorl::vq4 {

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f)
            std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

inline constexpr std::size_t kWavHeaderSize = 44;

// A 16-bit mono WAV opened for reading its samples.
struct OpenedWav {
    FilePtr file;                                      // positioned at the first sample
    std::array<std::uint8_t, kWavHeaderSize> header{}; // RIFF, "fmt " (16 bytes), data headers
    std::uint32_t dataBytes = 0;                       // as the data chunk declares it
    std::uint32_t sampleRate = 0;
};

// Walks the chunks of a RIFF WAVE file up to its data. Any failure goes to the
// error hook titled "Error!" and gives false with the file closed.
bool openWavForCompression(const std::string& path, OpenedWav& wav);

} // namespace quorl::vq4
