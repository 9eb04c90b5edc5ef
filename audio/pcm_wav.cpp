#include "audio/pcm_wav.h"

#include <string_view>

namespace quorl {

namespace {

void put(std::vector<std::byte>& out, std::string_view tag) {
    for (char c : tag)
        out.push_back(static_cast<std::byte>(c));
}

void putLe(std::vector<std::byte>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::byte>((value >> (8 * i)) & 0xFF));
}

} // namespace

std::vector<std::byte> pcmWavBytes(const std::vector<std::int16_t>& samples, int rate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    const auto r = static_cast<std::uint32_t>(rate);
    std::vector<std::byte> out;
    out.reserve(44 + dataBytes);
    put(out, "RIFF");
    putLe(out, 36 + dataBytes, 4);
    put(out, "WAVEfmt ");
    putLe(out, 16, 4); // PCM format block
    putLe(out, 1, 2);  // PCM
    putLe(out, 1, 2);  // mono
    putLe(out, r, 4);
    putLe(out, r * 2, 4); // bytes per second
    putLe(out, 2, 2);     // block align
    putLe(out, 16, 2);    // bits per sample
    put(out, "data");
    putLe(out, dataBytes, 4);
    for (const std::int16_t s : samples)
        putLe(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

std::vector<std::uint8_t> pcmBytes(const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> out;
    out.reserve(samples.size() * 2);
    for (const std::int16_t s : samples) {
        out.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(s) & 0xFF));
        out.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(s) >> 8));
    }
    return out;
}

} // namespace quorl
