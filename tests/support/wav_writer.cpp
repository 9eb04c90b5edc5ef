#include "tests/support/wav_writer.h"

#include <cmath>
#include <fstream>

namespace quorl::test {

namespace {
void put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
    for (int i = 0; i < 4; ++i)
        v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
}
void put16(std::vector<std::uint8_t>& v, std::uint16_t x) {
    v.push_back(static_cast<std::uint8_t>(x));
    v.push_back(static_cast<std::uint8_t>(x >> 8));
}
void putTag(std::vector<std::uint8_t>& v, const std::string& tag) {
    for (char c : tag)
        v.push_back(static_cast<std::uint8_t>(c));
}
} // namespace

std::vector<std::uint8_t> makeWav(const WavLayout& s) {
    std::vector<std::uint8_t> v;
    putTag(v, s.riffTag);
    put32(v, 0);
    putTag(v, s.waveTag);
    v.insert(v.end(), s.chunkBeforeFmt.begin(), s.chunkBeforeFmt.end());
    putTag(v, "fmt ");
    put32(v, 16);
    put16(v, s.format);
    put16(v, s.channels);
    put32(v, s.rate);
    put32(v, s.byteRate);
    put16(v, s.blockAlign);
    put16(v, s.bits);
    putTag(v, "data");
    const std::size_t count = s.pcm.empty() ? s.samples : s.pcm.size();
    put32(v, static_cast<std::uint32_t>(count * 2));
    for (std::size_t i = 0; i < count; ++i)
        put16(v, static_cast<std::uint16_t>(
                     s.pcm.empty()
                         ? static_cast<std::int16_t>(8000 * std::sin(2 * 3.14159265 * 440 *
                                                                     static_cast<double>(i) / 8000))
                         : s.pcm[i]));
    const auto riff = s.riffSizeOverride >= 0 ? static_cast<std::uint32_t>(s.riffSizeOverride)
                                              : static_cast<std::uint32_t>(v.size() - 8);
    for (int i = 0; i < 4; ++i)
        v[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(riff >> (8 * i));
    return v;
}

void writeWav(const std::filesystem::path& path, const WavLayout& layout) {
    const auto bytes = makeWav(layout);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

} // namespace quorl::test
