#pragma once

#include "voicelib/adpcm_coder.h"
#include "voicelib/bit_writer.h"
#include "voicelib/codec_types.h"

#include <array>
#include <cstdint>

namespace quorl::vq4 {

// One frame of the enhanced ADPCM coder: the predictor and adaptation the
// search picked, the codes and what the decoder rebuilds from them.
struct EnhancedFrame {
    int count = 0; // samples in the frame (128 except at the end)
    int ub = 1;
    int k1 = 0;
    int k2 = 0;
    int subTable = 0;
    std::uint64_t squaredError = 0; // 14-bit units
    AdpcmState endState;
    std::array<std::uint32_t, kFrameSamples> codes{};
    std::array<int, kFrameSamples> reconstructed{}; // 14-bit
};

// The highest step index worth allowing for a frame: big enough for its
// largest jump between neighbouring samples (the first against x1).
int frameUpperBound(const int* v, int count, int x1);

inline constexpr std::uint64_t kNoErrorLimit = UINT64_MAX;

// Tries every predictor and adaptation sub-table from `start` and keeps the one
// with the smallest squared error; a trial stops once it is already worse than
// the best so far. `v` holds `count` 14-bit samples (count <= 128).
// A caller that can only use a frame whose error is at most `limit` passes it:
// trials above it stop early, and when none stays within it the frame's
// squaredError is kNoErrorLimit (its other fields are then meaningless).
void searchEnhancedFrame(const AdpcmState& start, int width, const int* v, int count,
                         EnhancedFrame& best, std::uint64_t limit = kNoErrorLimit);

// The frame's two header bytes and its codes.
void writeEnhancedFrame(const EnhancedFrame& f, int width, BitWriter& w);

} // namespace quorl::vq4
