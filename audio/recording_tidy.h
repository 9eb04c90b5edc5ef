#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorl {

// What tidying a recording does; every step can be left out.
struct TidySettings {
    bool trim = true;                           // leading and trailing silence
    std::optional<double> normalizeDbfs = -1.0; // peak level, dB below full scale
    std::optional<double> highpassHz = 150.0;   // rumble, hum and handling noise
    bool compress = true;                       // even out loud and soft syllables
};

struct TidyResult {
    std::vector<std::int16_t> samples; // 8 kHz mono, as a custom audio slot takes it
    std::string problem;               // empty when tidied
};

inline constexpr int kTidyRate = 8000;

// Reads any recording the sound library knows (any rate, width, channels), tidies it
// with the sox effects and brings it to 8 kHz mono 16-bit for a custom audio slot.
TidyResult tidyRecording(const std::filesystem::path& input, const TidySettings& settings);
// The same for mono samples at `rate` Hz already in memory.
TidyResult tidySamples(const std::vector<std::int16_t>& samples, int rate,
                       const TidySettings& settings);

} // namespace quorl
