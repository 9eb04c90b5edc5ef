#pragma once

#include <span>

namespace quorl::tones {

// A tone measured over a stretch of samples where it sounds alone.
struct ToneMeasure {
    double hz = 0;
    double amplitude = 0;   // peak, 1 = full scale
    double phaseWobble = 0; // RMS of the phase about a straight line, radians
    bool valid = false;
};

// Frequency to well under 0.1 Hz from a coarse estimate within a few hertz.
//
// The samples are mixed down by the coarse frequency and summed over blocks of a
// whole number of its periods (about 5 ms), which removes the mirror image at twice
// the frequency and any odd harmonics from clipping. What is left turns at the
// frequency error, so a least-squares line through the unwrapped block phases
// gives that error directly (phase-slope interpolation). Two passes: the second
// mixes with the first result, so the blocks hold whole periods more exactly.
// The spread of the phases about the line tells a steady tone from a gliding one.
ToneMeasure refineTone(std::span<const float> samples, int rate, double coarseHz);

// The tone's amplitude around each sample: |sum over a `window`-sample box of the
// samples mixed down by `hz`| * 2 / window. Used to place the tone's ends.
class ToneEnvelope {
public:
    ToneEnvelope(std::span<const float> samples, int rate, double hz, int window);
    double at(long centre) const;

private:
    std::span<const float> samples_;
    double step_;
    int window_;
};

} // namespace quorl::tones
