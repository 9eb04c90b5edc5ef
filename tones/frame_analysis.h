#pragma once

#include <span>
#include <vector>

namespace quorl::tones {

// What one analysis frame holds in the paging band.
struct FrameReading {
    bool dominant = false; // one tone carries most of the band's energy
    double hz = 0;         // its frequency, interpolated between bins
};

// The block-wise detector: Hann-windowed frames of about 64 ms every 16 ms. A frame
// counts as one tone when the strongest peak between 270 and 3,500 Hz carries at
// least `kDominance` of the energy between 250 and 3,600 Hz and is no quieter than
// -55 dBFS; speech spreads its energy over many harmonics and noise over the band,
// so neither passes.
struct FrameLayout {
    int length = 0; // samples per frame
    int hop = 0;    // samples between frame starts
};

inline constexpr double kDominance = 0.6;

FrameLayout frameLayoutFor(int rate);

// The power spectrum of Hann-windowed frames of one length (FFTW, planned once).
class FrameSpectrum {
public:
    explicit FrameSpectrum(int length);
    ~FrameSpectrum();
    FrameSpectrum(const FrameSpectrum&) = delete;
    FrameSpectrum& operator=(const FrameSpectrum&) = delete;

    // |X(k)|^2 for k = 0 .. length / 2 of `frame` (exactly `length` samples).
    const std::vector<double>& power(std::span<const float> frame);
    // Sum of the squared window: a sine of amplitude A puts N A^2 this / 4 into
    // the positive bins.
    double windowPower() const { return windowPower_; }

private:
    struct Plan;
    int length_;
    std::vector<double> window_;
    double windowPower_ = 0;
    std::vector<double> power_;
    Plan* plan_;
};

std::vector<FrameReading> readFrames(std::span<const float> samples, int rate,
                                     const FrameLayout& layout);

} // namespace quorl::tones
