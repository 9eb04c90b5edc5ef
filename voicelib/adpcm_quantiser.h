#pragma once

#include <algorithm>
#include <cstdint>

namespace quorl::vq4 {

// One ADPCM quantisation: the code (sign bit width-1, magnitude bits below) and
// the signed difference the decoder adds to the prediction for it.
struct AdpcmQuantised {
    std::uint32_t code;
    int delta;
};

// The quantiser of every scalar ADPCM path (plain coder, enhanced search trials
// and their scalar groups): `d` is sample minus prediction, `step` the step of the
// current index. For each magnitude bit from the highest, the bit is set and the
// step taken off when what is left reaches the step, which then halves; the
// remaining half step is added to the reconstruction. Branch-free, since the
// comparisons follow the signal and would defeat the branch predictor. Always
// inlined so that callers with a constant width get the loop unrolled.
[[gnu::always_inline]] inline AdpcmQuantised quantiseAdpcm(int d, int step, int width) {
    const int negative = d >> 31; // all ones when d < 0
    d = (d ^ negative) - negative;
    std::uint32_t code = static_cast<std::uint32_t>(negative & 1) << (width - 1);
    int delta = 0;
    for (int b = width - 2; b >= 0; --b) {
        const int take = -static_cast<int>(d >= step);
        code |= static_cast<std::uint32_t>(take & 1) << b;
        d -= step & take;
        delta += step & take;
        step >>= 1;
    }
    delta += step;
    return {code, (delta ^ negative) - negative};
}

// The 14-bit sample the decoder rebuilds.
[[gnu::always_inline]] inline int reconstructAdpcm(int prediction, int delta) {
    return std::clamp(prediction + delta, -8192, 8191);
}

// The magnitude bits of a code, which index the step adaptation.
[[gnu::always_inline]] inline std::uint32_t adpcmMagnitude(std::uint32_t code, int width) {
    return code & ((1u << (width - 1)) - 1u);
}

} // namespace quorl::vq4
