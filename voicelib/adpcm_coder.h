#pragma once

#include <array>
#include <cstdint>

namespace quorl::vq4 {

// The voice chip's adaptive differential coder on 14-bit samples. Encoder and
// decoder keep identical copies of this state.
struct AdpcmState {
    int index = 0;    // step index 0..63
    int x1 = 0;       // last reconstructed sample (14-bit)
    int x2 = 0;       // the one before
    int k1 = 4;       // predictor selector for x1 (weight 0.5 .. 1.375)
    int k2 = 4;       // predictor selector for x2 (weight -0.5 .. 0.375)
    int subTable = 0; // index adaptation sub-table 0..3
    int ub = 63;      // highest step index allowed
    int width = 4;    // bits per code, 2..5
};

inline constexpr int kStepCount = 64;
const std::array<int, kStepCount>& stepTable();
// The index adaptation of a code width and sub-table, by magnitude bits.
const int* adaptTable(int width, int subTable);

// Prediction from the last two reconstructed samples, clipped to 14 bits.
int adpcmPredict(const AdpcmState& s);

// Codes one 14-bit sample; `reconstructed` gets the 14-bit value the decoder sees.
std::uint32_t adpcmEncode(AdpcmState& s, int v, int& reconstructed);

// Decodes one code; returns the 14-bit reconstruction.
int adpcmDecode(AdpcmState& s, std::uint32_t code);

} // namespace quorl::vq4
