#include "tones/page_synthesis.h"

#include <cmath>
#include <numbers>

namespace quorl::tones {

namespace {

struct Segment {
    double hz = 0; // 0: silence
    double seconds = 0;
};

// The sequence laid out in time: tones and the silences between them.
std::vector<Segment> layOut(const PageSequence& sequence, const PageTiming& timing) {
    std::vector<Segment> out;
    const double gap = timing.gapMs / 1000.0;
    for (int r = 0; r < timing.repeat; ++r)
        for (const ToneBurst& t : sequence.tones) {
            if (!out.empty() && gap > 0)
                out.push_back({0, gap});
            out.push_back({t.hz, t.seconds});
        }
    return out;
}

// Shapes the first and last `ramp` samples of [begin, end) with a raised cosine.
void shapeEnds(std::vector<float>& samples, std::size_t begin, std::size_t end, std::size_t ramp) {
    ramp = std::min(ramp, (end - begin) / 2);
    for (std::size_t i = 0; i < ramp; ++i) {
        const double w =
            0.5 *
            (1.0 - std::cos(std::numbers::pi * static_cast<double>(i) / static_cast<double>(ramp)));
        samples[begin + i] = static_cast<float>(samples[begin + i] * w);
        samples[end - 1 - i] = static_cast<float>(samples[end - 1 - i] * w);
    }
}

} // namespace

std::vector<float> synthesizePage(const PageSequence& sequence, const PageTiming& timing,
                                  int rate) {
    const std::vector<Segment> segments = layOut(sequence, timing);
    const double amplitude = std::pow(10.0, timing.levelDbfs / 20.0);
    const auto ramp = static_cast<std::size_t>(std::lround(kRampSeconds * rate));
    std::vector<float> samples;
    double elapsed = 0;
    double phase = 0; // radians, carried from tone to tone
    std::size_t burstBegin = 0;
    bool inBurst = false;
    for (std::size_t s = 0; s < segments.size(); ++s) {
        elapsed += segments[s].seconds;
        const auto end = static_cast<std::size_t>(std::llround(elapsed * rate));
        const double step = 2.0 * std::numbers::pi * segments[s].hz / rate;
        if (segments[s].hz > 0 && !inBurst) {
            burstBegin = samples.size();
            inBurst = true;
        }
        while (samples.size() < end) {
            samples.push_back(segments[s].hz > 0 ? static_cast<float>(amplitude * std::sin(phase))
                                                 : 0.0f);
            phase = std::fmod(phase + step, 2.0 * std::numbers::pi);
        }
        const bool burstEnds = s + 1 == segments.size() || segments[s + 1].hz == 0;
        if (inBurst && burstEnds) {
            shapeEnds(samples, burstBegin, samples.size(), ramp);
            inBurst = false;
        }
    }
    return samples;
}

} // namespace quorl::tones
