#include "tones/spectrum_frames.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <fftw3.h>
#include <memory>
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

struct PlanDeleter {
    void operator()(fftw_plan_s* p) const {
        const std::lock_guard lock(plannerLock());
        fftw_destroy_plan(p);
    }
};

struct FftwFree {
    void operator()(void* p) const { fftw_free(p); }
};

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

std::vector<FrameReading> readFrames(std::span<const float> samples, int rate,
                                     const FrameLayout& layout) {
    const int n = layout.length;
    const int bins = n / 2 + 1;
    std::unique_ptr<double, FftwFree> in(fftw_alloc_real(static_cast<std::size_t>(n)));
    std::unique_ptr<fftw_complex, FftwFree> out(fftw_alloc_complex(static_cast<std::size_t>(bins)));
    std::unique_ptr<fftw_plan_s, PlanDeleter> plan;
    {
        const std::lock_guard lock(plannerLock());
        plan.reset(fftw_plan_dft_r2c_1d(n, in.get(), out.get(), FFTW_ESTIMATE));
    }
    std::vector<double> window(static_cast<std::size_t>(n));
    double windowPower = 0;
    for (int i = 0; i < n; ++i) {
        window[static_cast<std::size_t>(i)] = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / n);
        windowPower += window[static_cast<std::size_t>(i)] * window[static_cast<std::size_t>(i)];
    }
    const double binHz = static_cast<double>(rate) / n;
    const int bandLo = static_cast<int>(std::ceil(kBandLowHz / binHz));
    const int bandHi = std::min(bins - 2, static_cast<int>(kBandHighHz / binHz));
    const int searchLo = std::max(bandLo + 2, static_cast<int>(std::ceil(kSearchLowHz / binHz)));
    const int searchHi = std::min(bandHi - 2, static_cast<int>(kSearchHighHz / binHz));
    // A sine of amplitude A puts N * A^2 * sum(w^2) / 4 into the positive bins.
    const double floorEnergy = n * std::pow(10.0, kFloorDbfs / 10.0) * windowPower / 4.0;

    std::vector<FrameReading> frames;
    std::vector<double> power(static_cast<std::size_t>(bins));
    const auto count = static_cast<std::ptrdiff_t>(samples.size());
    for (std::ptrdiff_t start = 0; start + n <= count; start += layout.hop) {
        for (int i = 0; i < n; ++i)
            in.get()[i] =
                samples[static_cast<std::size_t>(start + i)] * window[static_cast<std::size_t>(i)];
        fftw_execute(plan.get());
        double total = 0;
        for (int k = bandLo; k <= bandHi; ++k) {
            const std::complex<double> c(out.get()[k][0], out.get()[k][1]);
            power[static_cast<std::size_t>(k)] = std::norm(c);
            total += power[static_cast<std::size_t>(k)];
        }
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
