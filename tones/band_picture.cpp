#include "tones/band_picture.h"

#include "tones/frame_analysis.h"

#include <algorithm>
#include <cmath>

namespace quorl::tones {

Spectrogram spectrogram(std::span<const float> samples, int rate, int columns, int rows) {
    Spectrogram s;
    s.columns = columns;
    s.rows = rows;
    s.db.assign(static_cast<std::size_t>(columns * rows), -80.0f);
    const FrameLayout layout = frameLayoutFor(rate);
    if (columns <= 0 || rows <= 0 || samples.size() < static_cast<std::size_t>(layout.length))
        return s;
    const std::size_t span = samples.size() - static_cast<std::size_t>(layout.length);
    FrameSpectrum spectrum(layout.length);
    float loudest = -300;
    for (int c = 0; c < columns; ++c) {
        const std::size_t start =
            span * static_cast<std::size_t>(c) / static_cast<std::size_t>(std::max(1, columns - 1));
        const auto& power =
            spectrum.power(samples.subspan(start, static_cast<std::size_t>(layout.length)));
        const double binHz = static_cast<double>(rate) / layout.length;
        for (int r = 0; r < rows; ++r) {
            const double hz = s.lowHz + (s.highHz - s.lowHz) * (r + 0.5) / rows;
            const auto bin = std::min(power.size() - 1, static_cast<std::size_t>(hz / binHz));
            const auto v = static_cast<float>(10 * std::log10(power[bin] + 1e-12));
            s.db[static_cast<std::size_t>(c * rows + r)] = v;
            loudest = std::max(loudest, v);
        }
    }
    for (float& v : s.db)
        v = std::max(-80.0f, v - loudest);
    return s;
}

} // namespace quorl::tones
