#include "voicelib/wav_reader.h"

#include "voicelib/hooks.h"
#include "voicelib/vq4_texts.h"

#include <cstring>

namespace quorl::vq4 {

namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

bool fail(const char* text) {
    reportError(texts::kErrorTitle, text);
    return false;
}

// Skips a chunk's body and, for an odd size, the pad byte RIFF puts after it.
bool skipChunk(std::FILE* f, std::uint32_t size) {
    const off_t distance = static_cast<off_t>(size) + static_cast<off_t>(size & 1u);
    return ::fseeko(f, distance, SEEK_CUR) == 0;
}

// Reads chunk headers until one whose name begins with `prefix`.
bool findChunk(std::FILE* f, const char* prefix, std::uint8_t (&chunk)[8]) {
    while (true) {
        if (std::fread(chunk, 1, 8, f) != 8)
            return false;
        if (std::memcmp(chunk, prefix, 3) == 0)
            return true;
        if (!skipChunk(f, le32(chunk + 4)))
            return false;
    }
}

} // namespace

bool openWavForCompression(const std::string& path, OpenedWav& wav) {
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f)
        return fail(texts::kWavOperationError);
    std::uint8_t riff[12];
    if (std::fread(riff, 1, 12, f.get()) != 12 || std::memcmp(riff, "RIF", 3) != 0 ||
        std::memcmp(riff + 8, "WAV", 3) != 0)
        return fail(texts::kNotAWave);

    std::uint8_t chunk[8];
    if (!findChunk(f.get(), "fmt", chunk))
        return fail(texts::kWavOperationError);
    const std::uint32_t fmtSize = le32(chunk + 4);
    std::uint8_t fmt[16];
    if (fmtSize < 16 || std::fread(fmt, 1, 16, f.get()) != 16)
        return fail(texts::kWavOperationError);
    if (le16(fmt + 2) != 1)
        return fail(texts::kOnlyMono);
    if (le16(fmt + 14) != 16)
        return fail(texts::kOnly16Bit);
    if (!skipChunk(f.get(), fmtSize - 16))
        return fail(texts::kWavOperationError);

    std::uint8_t data[8];
    if (!findChunk(f.get(), "dat", data))
        return fail(texts::kNoDataSection);

    // The header image is a plain 44-byte header: our own check WAV starts with
    // it, so the format chunk is described as exactly its 16 bytes.
    auto& h = wav.header;
    std::memcpy(h.data(), riff, 12);
    std::memcpy(h.data() + 12, chunk, 4);
    const std::uint8_t sixteen[4] = {16, 0, 0, 0};
    std::memcpy(h.data() + 16, sixteen, 4);
    std::memcpy(h.data() + 20, fmt, 16);
    std::memcpy(h.data() + 36, data, 8);
    wav.dataBytes = le32(data + 4);
    wav.sampleRate = le32(fmt + 4);
    wav.file = std::move(f);
    return true;
}

} // namespace quorl::vq4
