#include "tones/wav_audio.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <libresample.h>
#include <sndfile.h>

namespace quorl::tones {

namespace {

// A growing byte buffer that libsndfile writes a file into.
struct MemoryFile {
    std::vector<std::byte> bytes;
    sf_count_t position = 0;
};

sf_count_t memLength(void* user) {
    return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->bytes.size());
}
sf_count_t memSeek(sf_count_t offset, int whence, void* user) {
    auto* f = static_cast<MemoryFile*>(user);
    const sf_count_t base = whence == SEEK_CUR   ? f->position
                            : whence == SEEK_END ? static_cast<sf_count_t>(f->bytes.size())
                                                 : 0;
    f->position = std::max<sf_count_t>(0, base + offset);
    return f->position;
}
sf_count_t memRead(void* ptr, sf_count_t count, void* user) {
    auto* f = static_cast<MemoryFile*>(user);
    const auto size = static_cast<sf_count_t>(f->bytes.size());
    const sf_count_t n = std::clamp<sf_count_t>(size - f->position, 0, count);
    std::memcpy(ptr, f->bytes.data() + f->position, static_cast<std::size_t>(n));
    f->position += n;
    return n;
}
sf_count_t memWrite(const void* ptr, sf_count_t count, void* user) {
    auto* f = static_cast<MemoryFile*>(user);
    const auto end = static_cast<std::size_t>(f->position + count);
    if (end > f->bytes.size())
        f->bytes.resize(end);
    std::memcpy(f->bytes.data() + f->position, ptr, static_cast<std::size_t>(count));
    f->position += count;
    return count;
}
sf_count_t memTell(void* user) {
    return static_cast<MemoryFile*>(user)->position;
}

} // namespace

RecordingResult readRecording(const std::filesystem::path& file) {
    SF_INFO info{};
    SNDFILE* sf = sf_open(file.c_str(), SFM_READ, &info);
    if (!sf)
        return {{}, sf_strerror(nullptr)};
    RecordingResult result;
    Recording& r = result.recording;
    r.rate = info.samplerate;
    r.channels = info.channels;
    if (info.channels < 1 || info.samplerate < 4000) {
        sf_close(sf);
        return {{}, "the recording's rate is below 4000 Hz; tones up to 2 kHz need at least that"};
    }
    std::vector<float> frame(static_cast<std::size_t>(info.channels) * 4096);
    for (;;) {
        const sf_count_t got = sf_readf_float(sf, frame.data(), 4096);
        if (got <= 0)
            break;
        for (sf_count_t i = 0; i < got; ++i)
            r.samples.push_back(frame[static_cast<std::size_t>(i * info.channels)]);
    }
    if (sf_error(sf) != SF_ERR_NO_ERROR)
        result.problem = sf_strerror(sf);
    sf_close(sf);
    return result;
}

std::vector<std::byte> encodeWav16(const std::vector<float>& samples, int rate) {
    MemoryFile file;
    SF_VIRTUAL_IO io{memLength, memSeek, memRead, memWrite, memTell};
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* sf = sf_open_virtual(&io, SFM_WRITE, &info, &file);
    if (!sf)
        return {};
    // Full scale is exactly 1.0; libsndfile then rounds to the nearest step.
    sf_command(sf, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    sf_writef_float(sf, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(sf);
    return file.bytes;
}

std::vector<std::uint8_t> pcm16le(const std::vector<float>& samples) {
    std::vector<std::uint8_t> out;
    out.reserve(samples.size() * 2);
    for (float s : samples) {
        const auto v = static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767));
        const auto u = static_cast<std::uint16_t>(v);
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return out;
}

std::vector<float> resampleTo(const std::vector<float>& samples, int fromRate, int toRate) {
    if (fromRate == toRate || samples.empty())
        return samples;
    const double ratio = static_cast<double>(toRate) / fromRate;
    void* handle = resample_open(1, ratio, ratio);
    if (!handle)
        return {};
    std::vector<float> in = samples;
    std::vector<float> out(static_cast<std::size_t>(static_cast<double>(samples.size()) * ratio) +
                           64);
    std::size_t read = 0;
    std::size_t written = 0;
    while (written < out.size()) {
        int used = 0;
        const bool last = true;
        const int n = resample_process(
            handle, ratio, in.data() + read, static_cast<int>(in.size() - read), last, &used,
            out.data() + written, static_cast<int>(out.size() - written));
        read += static_cast<std::size_t>(used);
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
    }
    resample_close(handle);
    out.resize(written);
    return out;
}

} // namespace quorl::tones
