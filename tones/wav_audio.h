#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quorl::tones {

// Samples in [-1, 1] at their rate.
struct Recording {
    std::vector<float> samples;
    int rate = 0;
    int channels = 0; // of the file; `samples` holds the first
};

struct RecordingResult {
    Recording recording;
    std::string problem; // empty when read
};

// Reads any sound file libsndfile knows (any rate and sample width), keeping the
// first channel: a scanner recording is often stereo with the same audio twice.
RecordingResult readRecording(const std::filesystem::path& file);

// The samples as a 16-bit mono PCM WAV file's bytes, clipped to full scale.
std::vector<std::byte> encodeWav16(const std::vector<float>& samples, int rate);

// The samples as 16-bit little-endian PCM without a header, clipped to full scale:
// what a sound output takes.
std::vector<std::uint8_t> pcm16le(const std::vector<float>& samples);

// `samples` at `fromRate` brought to `toRate` (high-quality band-limited
// interpolation); the same samples when the rates agree.
std::vector<float> resampleTo(const std::vector<float>& samples, int fromRate, int toRate);

} // namespace quorl::tones
