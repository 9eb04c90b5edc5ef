#pragma once

#include <cstdint>

namespace quorl::vq4 {

// How far the decoded stream is from its source: the overall signal-to-noise
// ratio and the segmental one over segments of 20 ms.
class CompressionStats {
public:
    explicit CompressionStats(int sampleRate);
    void add(const std::int16_t* source, const std::int16_t* decoded, std::size_t n);

    std::uint64_t samples() const { return samples_; }
    // 10·log10(Σ signal² / Σ error²); +inf when the error is 0, -inf for silence.
    double snrDb() const;
    // Mean of the segments' SNRs; segments with no signal or no error are left out.
    double segmentalSnrDb() const;

private:
    std::size_t segmentLength_;
    std::uint64_t samples_ = 0;
    double signal_ = 0;
    double error_ = 0;
    double segSignal_ = 0;
    double segError_ = 0;
    std::size_t segFill_ = 0;
    double segSnrSum_ = 0;
    std::uint64_t segCount_ = 0;
};

} // namespace quorl::vq4
