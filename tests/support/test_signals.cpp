#include "tests/support/test_signals.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorl::test {

namespace {

constexpr double kPi = std::numbers::pi;

// A second-order section (the audio-EQ cookbook's forms).
struct Biquad {
    double b0, b1, b2, a1, a2;
    double z1 = 0, z2 = 0;
    float run(float in) {
        const double out = b0 * in + z1;
        z1 = b1 * in - a1 * out + z2;
        z2 = b2 * in - a2 * out;
        return static_cast<float>(out);
    }
};

Biquad lowPass(double hz, double q, int rate) {
    const double w = 2 * kPi * hz / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    const double a0 = 1 + alpha;
    return {(1 - c) / 2 / a0, (1 - c) / a0, (1 - c) / 2 / a0, -2 * c / a0, (1 - alpha) / a0};
}

Biquad highPass(double hz, double q, int rate) {
    const double w = 2 * kPi * hz / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    const double a0 = 1 + alpha;
    return {(1 + c) / 2 / a0, -(1 + c) / a0, (1 + c) / 2 / a0, -2 * c / a0, (1 - alpha) / a0};
}

Biquad resonator(double hz, double bandwidth, int rate) {
    const double w = 2 * kPi * hz / rate,
                 alpha =
                     std::sin(w) * std::sinh(std::log(2) / 2 * (bandwidth / hz) * w / std::sin(w));
    const double a0 = 1 + alpha;
    return {alpha / a0, 0, -alpha / a0, -2 * std::cos(w) / a0, (1 - alpha) / a0};
}

} // namespace

void addTone(std::vector<float>& x, int rate, double start, double seconds, double hz,
             double amplitude, bool ramped) {
    const auto first = static_cast<std::size_t>(std::lround(start * rate));
    const auto n = static_cast<std::size_t>(std::lround(seconds * rate));
    x.resize(std::max(x.size(), first + n));
    const double ramp = 0.005 * rate;
    for (std::size_t i = 0; i < n; ++i) {
        double g = 1;
        const double fromEdge = static_cast<double>(std::min(i, n - 1 - i));
        if (ramped && fromEdge < ramp)
            g = 0.5 - 0.5 * std::cos(kPi * fromEdge / ramp);
        x[first + i] += static_cast<float>(amplitude * g *
                                           std::sin(2 * kPi * hz * static_cast<double>(i) / rate));
    }
}

void addBandNoise(std::vector<float>& x, int rate, double toneAmplitude, double snrDb,
                  std::mt19937& rng) {
    const double tonePower = toneAmplitude * toneAmplitude / 2;
    const double bandShare = 2700.0 / (rate / 2.0);
    const double sigma = std::sqrt(tonePower / std::pow(10.0, snrDb / 10) / bandShare);
    std::normal_distribution<double> noise(0, sigma);
    for (float& s : x)
        s += static_cast<float>(noise(rng));
}

void radioBandPass(std::vector<float>& x, int rate) {
    // Butterworth fourth order: two sections with Q 0.541 and 1.307.
    Biquad sections[] = {highPass(300, 0.5412, rate), highPass(300, 1.3066, rate),
                         lowPass(3000, 0.5412, rate), lowPass(3000, 1.3066, rate)};
    for (float& s : x)
        for (Biquad& b : sections)
            s = b.run(s);
}

void clip(std::vector<float>& x, float limit) {
    for (float& s : x)
        s = std::clamp(s, -limit, limit);
}

void addVoice(std::vector<float>& x, int rate, double start, double seconds, double amplitude,
              std::mt19937& rng) {
    const auto first = static_cast<std::size_t>(std::lround(start * rate));
    const auto n = static_cast<std::size_t>(std::lround(seconds * rate));
    x.resize(std::max(x.size(), first + n));
    std::uniform_real_distribution<double> u(0, 1);
    const double vowels[][3] = {{730, 1090, 2440}, {270, 2290, 3010}, {530, 1840, 2480},
                                {570, 840, 2410},  {300, 870, 2240},  {660, 1720, 2410}};
    double pitch = 140, phase = 0, envelope = 0;
    std::size_t syllableEnd = 0;
    bool voiced = true;
    Biquad formants[3] = {resonator(730, 90, rate), resonator(1090, 110, rate),
                          resonator(2440, 170, rate)};
    std::vector<float> out(n);
    double peak = 1e-9;
    for (std::size_t i = 0; i < n; ++i) {
        if (i >= syllableEnd) {
            // A new syllable (0.12 to 0.3 s) or a pause between words.
            voiced = u(rng) > 0.2;
            syllableEnd = i + static_cast<std::size_t>((0.12 + 0.18 * u(rng)) * rate);
            const auto& v = vowels[static_cast<int>(u(rng) * 6) % 6];
            for (int f = 0; f < 3; ++f)
                formants[f] = resonator(v[f], 80 + 40 * f, rate);
        }
        // Intonation glides with a little jitter from period to period.
        pitch = std::clamp(pitch + (u(rng) - 0.5) * 0.8 + (140 - pitch) * 0.0005, 90.0, 220.0);
        phase += pitch / rate;
        double pulse = 0;
        if (phase >= 1) {
            phase -= 1;
            pulse = 1 + 0.1 * (u(rng) - 0.5);
        }
        envelope += ((voiced ? 1.0 : 0.0) - envelope) * (200.0 / rate);
        double s = pulse * envelope + 0.02 * (u(rng) - 0.5);
        double mixed = 0;
        for (Biquad& f : formants)
            mixed += f.run(static_cast<float>(s));
        out[i] = static_cast<float>(mixed);
        peak = std::max(peak, std::abs(mixed));
    }
    for (std::size_t i = 0; i < n; ++i)
        x[first + i] += static_cast<float>(out[i] / peak * amplitude);
}

std::vector<float> speechAndNoise(int rate, double seconds, std::mt19937& rng) {
    std::vector<float> x(static_cast<std::size_t>(seconds * rate));
    addVoice(x, rate, 0, seconds, 0.6, rng);
    addBandNoise(x, rate, 0.6, 20, rng);
    radioBandPass(x, rate);
    return x;
}

} // namespace quorl::test
