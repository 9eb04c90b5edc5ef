#pragma once

#include "tones/page_sequence.h"
#include "tones/page_timing.h"

#include <vector>

namespace quorl::tones {

// Length of the raised-cosine rise and fall at each end of a burst of tone: long
// enough that the ends do not click, short enough that a decoder sees the whole
// tone length.
inline constexpr double kRampSeconds = 0.005;

// The page as samples in [-1, 1] at `rate`: the sequence `timing.repeat` times,
// with `timing.gapMs` of silence between tones and between repeats. Tones that
// follow each other without a gap run on in phase (no step in the waveform), so
// only the two ends of each burst are shaped. Tone boundaries fall on the nearest
// sample to the exact time, counted from the start, so lengths never drift.
std::vector<float> synthesizePage(const PageSequence& sequence, const PageTiming& timing, int rate);

} // namespace quorl::tones
