#pragma once

#include "voicelib/adpcm_coder.h"
#include "voicelib/codec_types.h"

#include <array>
#include <cstdint>

namespace quorl::vq4 {

// Sixteen trials of the enhanced search run together: the four sub-tables of
// four neighbouring K2 choices under one K1 (lane g: K2 = k2Base + g / 4,
// sub-table g % 4).
inline constexpr int kGroupLanes = 16;

struct TrialGroupOut {
    // [sample][lane]
    std::array<std::array<std::int32_t, kGroupLanes>, kFrameSamples> codes;
    std::array<std::array<std::int32_t, kGroupLanes>, kFrameSamples> recon;
    std::array<std::uint64_t, kGroupLanes> error; // UINT64_MAX once past the bound
    std::array<int, kGroupLanes> index, x1, x2;
};

// The group in AVX2 vector registers, when the processor has them and they are
// enabled. False (and nothing done) otherwise. The results are those of the
// scalar coder.
bool runTrialGroupAvx2(int width, const AdpcmState& start, int k1, int k2Base, int ub, const int* v,
                       int count, std::uint64_t bound, TrialGroupOut& out);

// On by default; the tests turn it off to check the scalar path as well.
void setVectorTrialsEnabled(bool enabled);

} // namespace quorl::vq4
