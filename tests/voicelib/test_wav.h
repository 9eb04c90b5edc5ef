#pragma once

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace quorl::vq4::test {

// Writes a PCM WAV file by hand, so tests control every byte of the header.
struct WavFormat {
    WavFormat(std::uint32_t rate = 8000, std::uint16_t ch = 1, std::uint16_t bitsPerSample = 16,
              std::string chunks = {}, std::uint32_t declared = 0)
        : sampleRate(rate), channels(ch), bits(bitsPerSample), chunksBeforeFmt(std::move(chunks)),
          declaredDataBytes(declared) {}
    std::uint32_t sampleRate = 8000;
    std::uint16_t channels = 1;
    std::uint16_t bits = 16;
    std::string chunksBeforeFmt;         // raw chunk bytes placed before "fmt "
    std::uint32_t declaredDataBytes = 0; // 0: the real size
};

inline void put16(std::string& s, std::uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}
inline void put32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline std::string wavBytes(const std::vector<std::int16_t>& samples,
                            const WavFormat& format = {}) {
    std::string data;
    for (auto v : samples)
        put16(data, static_cast<std::uint16_t>(v));
    std::string body = "WAVE" + format.chunksBeforeFmt + "fmt ";
    put32(body, 16);
    put16(body, 1);
    put16(body, format.channels);
    put32(body, format.sampleRate);
    put32(body, format.sampleRate * format.channels * format.bits / 8);
    put16(body, static_cast<std::uint16_t>(format.channels * format.bits / 8));
    put16(body, format.bits);
    body += "data";
    put32(body, format.declaredDataBytes ? format.declaredDataBytes
                                         : static_cast<std::uint32_t>(data.size()));
    body += data;
    std::string riff = "RIFF";
    put32(riff, static_cast<std::uint32_t>(body.size()));
    return riff + body;
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeWav(const std::filesystem::path& path, const std::vector<std::int16_t>& samples,
                     const WavFormat& format = {}) {
    writeBytes(path, wavBytes(samples, format));
}

// A voice-like test signal: two drifting tones with a slow envelope and a
// little noise, so every codec has something real to chew on.
inline std::vector<std::int16_t> voiceLike(std::size_t n, double rate = 8000.0,
                                           double amplitude = 9000.0, unsigned seed = 7) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 150.0);
    std::vector<std::int16_t> out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double env = 0.55 + 0.45 * std::sin(2 * M_PI * 3.0 * t);
        const double v = amplitude * env *
                             (0.7 * std::sin(2 * M_PI * (220.0 + 40 * std::sin(t)) * t) +
                              0.3 * std::sin(2 * M_PI * 740.0 * t)) +
                         noise(rng);
        out[i] = static_cast<std::int16_t>(std::lround(std::fmax(-32768, std::fmin(32767, v))));
    }
    return out;
}

inline std::vector<std::int16_t> samplesOf(const std::string& wav) {
    std::vector<std::int16_t> out;
    for (std::size_t i = 44; i + 1 < wav.size(); i += 2)
        out.push_back(static_cast<std::int16_t>(static_cast<unsigned char>(wav[i]) |
                                                static_cast<unsigned char>(wav[i + 1]) << 8));
    return out;
}

// A fresh folder of its own under the system's temporary folder, removed at the end;
// `tag` only makes a leftover one easy to recognise.
class TempDir {
public:
    explicit TempDir(const std::string& tag) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / ("quorl-vq4-" + tag + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a folder like " + pattern);
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace quorl::vq4::test
