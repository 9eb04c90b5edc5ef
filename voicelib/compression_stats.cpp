#include "voicelib/compression_stats.h"

#include <cmath>
#include <limits>

namespace quorl::vq4 {

CompressionStats::CompressionStats(int sampleRate)
    : segmentLength_(sampleRate >= 50 ? static_cast<std::size_t>(0.02 * sampleRate) : 1) {}

void CompressionStats::add(const std::int16_t* source, const std::int16_t* decoded, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        const double s = source[i];
        const double e = static_cast<double>(decoded[i]) - s;
        signal_ += s * s;
        error_ += e * e;
        segSignal_ += s * s;
        segError_ += e * e;
        if (++segFill_ == segmentLength_) {
            if (segSignal_ > 0 && segError_ > 0) {
                segSnrSum_ += 10.0 * std::log10(segSignal_ / segError_);
                ++segCount_;
            }
            segSignal_ = segError_ = 0;
            segFill_ = 0;
        }
    }
    samples_ += n;
}

double CompressionStats::snrDb() const {
    if (error_ == 0)
        return signal_ > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    if (signal_ == 0)
        return -std::numeric_limits<double>::infinity();
    return 10.0 * std::log10(signal_ / error_);
}

double CompressionStats::segmentalSnrDb() const {
    return segCount_ ? segSnrSum_ / static_cast<double>(segCount_) : 0.0;
}

} // namespace quorl::vq4
