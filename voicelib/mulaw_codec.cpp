#include "voicelib/mulaw_codec.h"

#include <algorithm>
#include <bit>

namespace quorl::vq4 {

namespace {
constexpr int kBias = 132;
constexpr int kClip = 32635;
} // namespace

std::uint32_t muLawEncode(int x, int bits) {
    int b = x & ~3;
    if (x < 0)
        b = -b;
    b = std::min(b, kClip);
    const int biased = b + kBias;
    const int e = std::bit_width(static_cast<unsigned>(biased >> 7)) - 1;
    const int m4 = (biased >> (e + 3)) & 0xF;
    const int dropped = 8 - bits; // mantissa bits not kept
    const std::uint32_t m = static_cast<std::uint32_t>(m4 >> dropped);
    const std::uint32_t sign = x < 0 ? 1u : 0u;
    return (m << 4) | (static_cast<std::uint32_t>(e) << 1) | sign;
}

int muLawDecode(std::uint32_t code, int bits) {
    const int e = static_cast<int>((code >> 1) & 7u);
    const int dropped = 8 - bits;
    const int m4 = static_cast<int>((code >> 4) << dropped) & 0xF;
    const int magnitude = (m4 << (e + 3)) + kBias * ((1 << e) - 1);
    return (code & 1u) ? -magnitude : magnitude;
}

std::uint32_t DiffMuLaw::encode(int x, int bits, int& decoded) {
    const std::uint32_t code = muLawEncode((x - p) >> 1, bits);
    decoded = decode(code, bits);
    return code;
}

int DiffMuLaw::decode(std::uint32_t code, int bits) {
    p = std::clamp(p + 2 * muLawDecode(code, bits), -32768, 32764);
    return p;
}

} // namespace quorl::vq4
