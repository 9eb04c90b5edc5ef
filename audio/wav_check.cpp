#include "audio/wav_check.h"

#include "audio/audio_texts.h"

#include <array>
#include <cstring>
#include <fstream>

namespace quorl {

namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

bool readExactly(std::ifstream& in, std::uint8_t* out, std::size_t n) {
    in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(in.gcount()) == n;
}

// After the format fields: walk to the "data" chunk and keep its samples, never
// more than the RIFF size allows.
std::vector<std::uint8_t> readSamples(std::ifstream& in, std::uint32_t fmtSize,
                                      std::uint32_t riffSize) {
    std::vector<std::uint8_t> out;
    if (fmtSize > 16)
        in.seekg(static_cast<std::streamoff>(fmtSize - 16 + (fmtSize & 1)), std::ios::cur);
    std::array<std::uint8_t, 8> header{};
    for (int chunks = 0; chunks < 64 && readExactly(in, header.data(), 8); ++chunks) {
        const std::uint32_t size = le32(header.data() + 4);
        if (std::memcmp(header.data(), "data", 4) == 0) {
            const std::uint32_t n = size < riffSize ? size : riffSize;
            out.resize(n);
            in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(n));
            out.resize(static_cast<std::size_t>(in.gcount()));
            return out;
        }
        in.seekg(static_cast<std::streamoff>(size) + (size & 1), std::ios::cur);
        if (!in)
            break;
    }
    return out;
}

} // namespace

WavCheckResult checkWav(const std::filesystem::path& path) {
    WavCheckResult r;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return r;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return r;
    std::array<std::uint8_t, 36> h{};
    // Each field is judged in turn; a file too short for a field fails that field.
    if (!readExactly(in, h.data(), 4) || std::memcmp(h.data(), "RIFF", 4) != 0) {
        r.status = WavCheck::NotRiff;
        return r;
    }
    if (!readExactly(in, h.data() + 4, 8) || std::memcmp(h.data() + 8, "WAVE", 4) != 0) {
        r.status = WavCheck::NotWave;
        return r;
    }
    r.riffSize = le32(h.data() + 4);
    if (!readExactly(in, h.data() + 12, 4) || std::memcmp(h.data() + 12, "fmt ", 4) != 0) {
        r.status = WavCheck::FmtNotFirst;
        return r;
    }
    if (!readExactly(in, h.data() + 16, 20)) {
        r.status = WavCheck::WrongFormat;
        return r;
    }
    const std::uint8_t* f = h.data() + 20;
    const bool pcmMono8k16 = le16(f) == 1 && le16(f + 2) == 1 && le32(f + 4) == 8000 &&
                             le32(f + 8) == 16000 && le16(f + 12) == 2 && le16(f + 14) == 16;
    if (!pcmMono8k16) {
        r.status = WavCheck::WrongFormat;
        return r;
    }
    if (r.riffSize > kMaxRiffSize) {
        r.status = WavCheck::TooBig;
        return r;
    }
    r.playBuffer = readSamples(in, le32(h.data() + 16), r.riffSize);
    r.status = WavCheck::Ok;
    return r;
}

std::string_view wavCheckMessage(WavCheck status) {
    switch (status) {
    case WavCheck::NotRiff:
        return texts::kFileError9;
    case WavCheck::NotWave:
        return texts::kFileError8;
    case WavCheck::FmtNotFirst:
        return texts::kFileError7;
    case WavCheck::WrongFormat:
        return texts::kFileError5;
    case WavCheck::TooBig:
        return texts::kFileError4;
    case WavCheck::Ok:
    case WavCheck::CannotOpen:
        break;
    }
    return {};
}

} // namespace quorl
