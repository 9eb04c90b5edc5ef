#include "tones/frame_analysis.h"

#include <algorithm>
#include <cmath>
#include <fftw3.h>
#include <mutex>
#include <numbers>

namespace quorl::tones {

namespace {

// FFTW's planner is not thread-safe; the finder may run on a worker thread of the
// program while another plans.
std::mutex& plannerLock() {
    static std::mutex m;
    return m;
}

constexpr double kBandLowHz = 250.0;
constexpr double kBandHighHz = 3600.0;
constexpr double kSearchLowHz = 270.0;
constexpr double kSearchHighHz = 3500.0;
constexpr double kFloorDbfs = -55.0;

} // namespace

FrameLayout frameLayoutFor(int rate) {
    return {static_cast<int>(std::lround(rate * 0.064)),
            static_cast<int>(std::lround(rate * 0.016))};
}

struct FrameSpectrum::Plan {
    double* in = nullptr;
    fftw_complex* out = nullptr;
    fftw_plan plan = nullptr;
};

FrameSpectrum::FrameSpectrum(int length)
    : length_(length), window_(static_cast<std::size_t>(length)),
      power_(static_cast<std::size_t>(length / 2 + 1)), plan_(new Plan) {
    for (int i = 0; i < length; ++i) {
        const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / length);
        window_[static_cast<std::size_t>(i)] = w;
        windowPower_ += w * w;
    }
    plan_->in = fftw_alloc_real(static_cast<std::size_t>(length));
    plan_->out = fftw_alloc_complex(power_.size());
    const std::lock_guard lock(plannerLock());
    plan_->plan = fftw_plan_dft_r2c_1d(length, plan_->in, plan_->out, FFTW_ESTIMATE);
}

FrameSpectrum::~FrameSpectrum() {
    {
        const std::lock_guard lock(plannerLock());
        fftw_destroy_plan(plan_->plan);
    }
    fftw_free(plan_->in);
    fftw_free(plan_->out);
    delete plan_;
}

const std::vector<double>& FrameSpectrum::power(std::span<const float> frame) {
    for (int i = 0; i < length_; ++i)
        plan_->in[i] = frame[static_cast<std::size_t>(i)] * window_[static_cast<std::size_t>(i)];
    fftw_execute(plan_->plan);
    for (std::size_t k = 0; k < power_.size(); ++k)
        power_[k] = plan_->out[k][0] * plan_->out[k][0] + plan_->out[k][1] * plan_->out[k][1];
    return power_;
}

std::vector<FrameReading> readFrames(std::span<const float> samples, int rate,
                                     const FrameLayout& layout) {
    const int n = layout.length;
    // A recording shorter than one frame has no frames. The frame's length comes from
    // the header's rate, so planning its spectrum first would let a damaged header
    // claiming billions of samples a second take gigabytes for a few samples.
    if (n <= 0 || samples.size() < static_cast<std::size_t>(n))
        return {};
    const int bins = n / 2 + 1;
    FrameSpectrum spectrum(n);
    const double binHz = static_cast<double>(rate) / n;
    const int bandLo = static_cast<int>(std::ceil(kBandLowHz / binHz));
    const int bandHi = std::min(bins - 2, static_cast<int>(kBandHighHz / binHz));
    const int searchLo = std::max(bandLo + 2, static_cast<int>(std::ceil(kSearchLowHz / binHz)));
    const int searchHi = std::min(bandHi - 2, static_cast<int>(kSearchHighHz / binHz));
    const double floorEnergy = n * std::pow(10.0, kFloorDbfs / 10.0) * spectrum.windowPower() / 4.0;

    std::vector<FrameReading> frames;
    const auto count = static_cast<std::ptrdiff_t>(samples.size());
    for (std::ptrdiff_t start = 0; start + n <= count; start += layout.hop) {
        const std::vector<double>& power = spectrum.power(
            samples.subspan(static_cast<std::size_t>(start), static_cast<std::size_t>(n)));
        double total = 0;
        for (int k = bandLo; k <= bandHi; ++k)
            total += power[static_cast<std::size_t>(k)];
        int peak = searchLo;
        for (int k = searchLo; k <= searchHi; ++k)
            if (power[static_cast<std::size_t>(k)] > power[static_cast<std::size_t>(peak)])
                peak = k;
        double lobe = 0;
        for (int k = peak - 2; k <= peak + 2; ++k)
            lobe += power[static_cast<std::size_t>(k)];
        FrameReading r;
        r.dominant = total > 0 && lobe >= kDominance * total && lobe >= floorEnergy;
        if (r.dominant) {
            // A Hann lobe is close to a Gaussian: a parabola through the log powers
            // of the peak and its neighbours puts the tone within a few hundredths
            // of a bin; the refinement afterwards works from the samples.
            const double l = std::log(power[static_cast<std::size_t>(peak - 1)] + 1e-300);
            const double c = std::log(power[static_cast<std::size_t>(peak)] + 1e-300);
            const double h = std::log(power[static_cast<std::size_t>(peak + 1)] + 1e-300);
            const double denom = l - 2 * c + h;
            const double delta = denom < 0 ? 0.5 * (l - h) / denom : 0.0;
            r.hz = (peak + std::clamp(delta, -0.5, 0.5)) * binHz;
        }
        frames.push_back(r);
    }
    return frames;
}

} // namespace quorl::tones
