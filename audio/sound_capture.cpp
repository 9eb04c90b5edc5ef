#include "audio/sound_capture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quorl {

namespace {

// One sample as a fraction of full scale, -1 to 1.
double sampleValue(const std::uint8_t* p, CaptureEncoding encoding) {
    switch (encoding) {
    case CaptureEncoding::UInt8:
        return (static_cast<double>(*p) - 128.0) / 128.0;
    case CaptureEncoding::Int16: {
        std::int16_t v;
        std::memcpy(&v, p, sizeof v);
        return v / 32768.0;
    }
    case CaptureEncoding::Int32: {
        std::int32_t v;
        std::memcpy(&v, p, sizeof v);
        return v / 2147483648.0;
    }
    case CaptureEncoding::Float: {
        float v;
        std::memcpy(&v, p, sizeof v);
        return std::isfinite(v) ? static_cast<double>(v) : 0.0;
    }
    }
    return 0.0;
}

std::int16_t toInt16(double value) {
    return static_cast<std::int16_t>(std::lround(std::clamp(value * 32768.0, -32768.0, 32767.0)));
}

} // namespace

int captureSampleBytes(CaptureEncoding encoding) {
    switch (encoding) {
    case CaptureEncoding::UInt8:
        return 1;
    case CaptureEncoding::Int16:
        return 2;
    case CaptureEncoding::Int32:
    case CaptureEncoding::Float:
        return 4;
    }
    return 2;
}

RecordingTake::RecordingTake(const CaptureFormat& format, double limitSeconds)
    : format_(format), frameBytes_(static_cast<std::size_t>(std::max(format.channels, 1) *
                                                            captureSampleBytes(format.encoding))),
      limitSamples_(static_cast<std::size_t>(std::max(0.0, limitSeconds * format.rate))) {
    samples_.reserve(limitSamples_);
}

double RecordingTake::add(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> joined;
    if (!partial_.empty()) {
        joined = std::move(partial_);
        joined.insert(joined.end(), data, data + size);
        data = joined.data();
        size = joined.size();
    }
    const std::size_t frames = size / frameBytes_;
    partial_.assign(data + frames * frameBytes_, data + size);
    const auto channels = static_cast<std::size_t>(std::max(format_.channels, 1));
    const auto sampleBytes = static_cast<std::size_t>(captureSampleBytes(format_.encoding));
    double peak = 0.0;
    for (std::size_t f = 0; f < frames; ++f) {
        double sum = 0.0;
        for (std::size_t c = 0; c < channels; ++c) {
            const double v =
                sampleValue(data + f * frameBytes_ + c * sampleBytes, format_.encoding);
            peak = std::max(peak, std::abs(v));
            sum += v;
        }
        if (samples_.size() < limitSamples_)
            samples_.push_back(toInt16(sum / static_cast<double>(channels)));
    }
    return std::min(peak, 1.0);
}

double RecordingTake::seconds() const {
    return format_.rate > 0 ? static_cast<double>(samples_.size()) / format_.rate : 0.0;
}

double peakDbfs(double peak) {
    return peak <= 0.001 ? -60.0 : std::max(-60.0, 20.0 * std::log10(peak));
}

} // namespace quorl
