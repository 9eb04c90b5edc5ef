#include "tones/tone_finder.h"

#include "tones/frame_analysis.h"
#include "tones/tone_refinement.h"

#include <algorithm>
#include <cmath>

namespace quorl::tones {

namespace {

constexpr int kMaxBridgedFrames = 4;
constexpr double kMaxPhaseWobble = 0.35; // radians
constexpr double kLongestMeasureSeconds = 2.0;
constexpr double kEnvelopeSeconds = 0.010;

// How far a frame's reading may stray from the tone so far: the readings of a
// steady tone agree within a fraction of a hertz, speech harmonics glide by more.
double frameTolerance(double hz) {
    return 2.0 + 0.002 * hz;
}

struct Track {
    std::size_t first = 0;
    std::size_t last = 0;
    std::vector<double> hz;
    double sum = 0;
    double mean() const { return sum / static_cast<double>(hz.size()); }
    void add(std::size_t frame, double f) {
        last = frame;
        hz.push_back(f);
        sum += f;
    }
};

std::vector<Track> joinFrames(const std::vector<FrameReading>& frames) {
    std::vector<Track> tracks;
    bool open = false;
    int misses = 0;
    const auto fits = [](const FrameReading& r, double hz) {
        return r.dominant && std::abs(r.hz - hz) <= frameTolerance(hz);
    };
    for (std::size_t m = 0; m < frames.size(); ++m) {
        const FrameReading& r = frames[m];
        if (open) {
            Track& t = tracks.back();
            if (fits(r, t.mean())) {
                t.add(m, r.hz);
                misses = 0;
                continue;
            }
            // A new tone that holds for two frames ends this one at once (A to B
            // without a gap); anything else may be a click inside the tone.
            const bool newTone = r.dominant && m + 1 < frames.size() && fits(frames[m + 1], r.hz);
            if (!newTone && ++misses <= kMaxBridgedFrames)
                continue;
            open = false;
        }
        if (r.dominant) {
            tracks.push_back({m, m, {}, 0});
            tracks.back().add(m, r.hz);
            open = true;
            misses = 0;
        }
    }
    return tracks;
}

double median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// Walks from `from` by `direction` until the envelope falls below half of its
// value at `from`, at most `limit` samples; the sample where it crossed.
long crossing(const ToneEnvelope& envelope, long from, int direction, long limit, long size) {
    const double half = envelope.at(from) / 2;
    long c = from;
    for (long steps = 0; steps < limit; ++steps) {
        const long next = c + direction;
        if (next < 0 || next > size)
            break;
        if (envelope.at(next) < half)
            return direction < 0 ? c : next;
        c = next;
    }
    return c;
}

} // namespace

std::vector<FoundTone> findTones(std::span<const float> samples, int rate) {
    const FrameLayout layout = frameLayoutFor(rate);
    const std::vector<Track> tracks = joinFrames(readFrames(samples, rate, layout));
    std::vector<FoundTone> tones;
    const long size = static_cast<long>(samples.size());
    const int envelopeWindow = static_cast<int>(std::lround(rate * kEnvelopeSeconds));
    for (const Track& t : tracks) {
        // From the end of the first frame to the start of the last: a frame is
        // dominant only when the tone fills most of it, so the tone sounds there.
        const long inner0 = static_cast<long>(t.first) * layout.hop + layout.length;
        const long inner1 = static_cast<long>(t.last) * layout.hop;
        if (inner1 - inner0 < rate / 50)
            continue;
        const double coarse = median(t.hz);
        // The middle of a long tone measures it as well as all of it would.
        const long longest = std::lround(kLongestMeasureSeconds * rate);
        const long middle = (inner0 + inner1) / 2;
        const long m0 = std::max(inner0, middle - longest / 2);
        const long m1 = std::min(inner1, middle + longest / 2);
        const ToneMeasure measure = refineTone(
            samples.subspan(static_cast<std::size_t>(m0), static_cast<std::size_t>(m1 - m0)), rate,
            coarse);
        if (!measure.valid || measure.phaseWobble > kMaxPhaseWobble ||
            std::abs(measure.hz - coarse) > frameTolerance(coarse))
            continue;
        const ToneEnvelope envelope(samples, rate, measure.hz, envelopeWindow);
        const long reach = 2L * layout.length;
        const long start = crossing(envelope, inner0, -1, reach, size);
        const long end = crossing(envelope, inner1, +1, reach, size);
        const double duration = static_cast<double>(end - start) / rate;
        if (duration < kMinToneSeconds - kEndAllowanceSeconds)
            continue;
        tones.push_back({static_cast<double>(start) / rate, duration,
                         std::round(measure.hz * 10.0) / 10.0,
                         20.0 * std::log10(std::max(measure.amplitude, 1e-9))});
    }
    return tones;
}

} // namespace quorl::tones
