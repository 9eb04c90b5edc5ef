#include "tones/tone_refinement.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace quorl::tones {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

struct PhaseLine {
    double slope = 0; // radians per block
    double wobble = 0;
    double amplitude = 0;
};

// Block sums of the mixed-down samples, then the straight line through their phases.
PhaseLine fitPhases(std::span<const float> x, int rate, double hz) {
    const int periods = std::max(1, static_cast<int>(std::lround(0.005 * hz)));
    const auto block = static_cast<std::size_t>(std::lround(periods * rate / hz));
    const std::size_t blocks = block == 0 ? 0 : x.size() / block;
    PhaseLine line;
    if (blocks < 3)
        return line;
    const double step = kTwoPi * hz / rate;
    const std::complex<double> turn = std::polar(1.0, -step);
    std::vector<double> phase(blocks);
    std::complex<double> sum;
    double previous = 0;
    for (std::size_t b = 0; b < blocks; ++b) {
        // The oscillator restarts exactly at each block and turns by one fixed
        // rotation per sample inside it: exact enough, and no sine per sample.
        std::complex<double> osc =
            std::polar(1.0, -std::fmod(step * static_cast<double>(b * block), kTwoPi));
        std::complex<double> z;
        for (std::size_t i = b * block; i < (b + 1) * block; ++i) {
            z += static_cast<double>(x[i]) * osc;
            osc *= turn;
        }
        sum += z;
        double p = std::arg(z);
        if (b > 0)
            p = previous + std::remainder(p - previous, kTwoPi);
        phase[b] = previous = p;
    }
    line.amplitude = 2.0 * std::abs(sum) / static_cast<double>(blocks * block);
    const double n = static_cast<double>(blocks);
    const double meanT = (n - 1) / 2;
    double meanP = 0;
    for (double p : phase)
        meanP += p / n;
    double sxy = 0;
    double sxx = 0;
    for (std::size_t b = 0; b < blocks; ++b) {
        sxy += (static_cast<double>(b) - meanT) * (phase[b] - meanP);
        sxx += (static_cast<double>(b) - meanT) * (static_cast<double>(b) - meanT);
    }
    line.slope = sxy / sxx;
    double squares = 0;
    for (std::size_t b = 0; b < blocks; ++b) {
        const double r = phase[b] - meanP - line.slope * (static_cast<double>(b) - meanT);
        squares += r * r;
    }
    line.wobble = std::sqrt(squares / n);
    // The slope was measured per block; the caller converts with the block length.
    line.slope /= static_cast<double>(block);
    return line;
}

} // namespace

ToneMeasure refineTone(std::span<const float> samples, int rate, double coarseHz) {
    ToneMeasure m;
    double hz = coarseHz;
    for (int pass = 0; pass < 2; ++pass) {
        const PhaseLine line = fitPhases(samples, rate, hz);
        if (line.amplitude <= 0)
            return m;
        hz += line.slope * rate / kTwoPi;
        m.amplitude = line.amplitude;
        m.phaseWobble = line.wobble;
    }
    m.hz = hz;
    m.valid = true;
    return m;
}

ToneEnvelope::ToneEnvelope(std::span<const float> samples, int rate, double hz, int window)
    : samples_(samples), step_(kTwoPi * hz / rate), window_(window) {}

double ToneEnvelope::at(long centre) const {
    const long first = centre - window_ / 2;
    std::complex<double> z;
    for (long i = first; i < first + window_; ++i)
        if (i >= 0 && i < static_cast<long>(samples_.size()))
            z += static_cast<double>(samples_[static_cast<std::size_t>(i)]) *
                 std::polar(1.0, -std::fmod(step_ * static_cast<double>(i), kTwoPi));
    return 2.0 * std::abs(z) / window_;
}

} // namespace quorl::tones
