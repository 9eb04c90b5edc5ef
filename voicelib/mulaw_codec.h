#pragma once

#include <cstdint>

namespace quorl::vq4 {

// µ-law with 6, 7 or 8 bits: sign in bit 0, segment in bits 3..1, the top
// N - 4 mantissa bits above. The code is not inverted.
std::uint32_t muLawEncode(int x, int bits);
int muLawDecode(std::uint32_t code, int bits);

// Differential µ-law codes the halved difference to the previous reconstruction
// `p`, which never leaves -32768 .. 32764.
struct DiffMuLaw {
    int p = 0;
    std::uint32_t encode(int x, int bits, int& decoded);
    int decode(std::uint32_t code, int bits);
};

// PCM keeps the sample's top 8, 10 or 12 bits.
inline std::uint32_t pcmEncode(int x, int bits) {
    return static_cast<std::uint32_t>(x >> (16 - bits)) & ((1u << bits) - 1u);
}
inline int pcmDecode(std::uint32_t code, int bits) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(code << (16 - bits)));
}

} // namespace quorl::vq4
