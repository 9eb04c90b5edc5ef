#pragma once

#include "base/capture_format.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorl {

// The bytes one sample of `encoding` takes.
int captureSampleBytes(CaptureEncoding encoding);

// A recording being made for a slot: what the input delivers, block by block, in
// its own format, kept as 16-bit mono at the input's rate (the channels averaged),
// up to a time limit. Plain C++, so the sound input stays in the interface code.
class RecordingTake {
public:
    RecordingTake(const CaptureFormat& format, double limitSeconds);

    // Adds a block as the input delivered it (a frame split between two blocks is
    // joined). Sound past the limit is left out. Returns the peak of the block's
    // sound, 0 to 1 of full scale, for the level meter.
    double add(const std::uint8_t* data, std::size_t size);

    double seconds() const;
    bool full() const { return samples_.size() >= limitSamples_; }
    int rate() const { return format_.rate; }
    const std::vector<std::int16_t>& samples() const { return samples_; }

private:
    CaptureFormat format_;
    std::size_t frameBytes_;
    std::size_t limitSamples_;
    std::vector<std::uint8_t> partial_; // the start of a frame the last block cut off
    std::vector<std::int16_t> samples_;
};

// A peak (0 to 1 of full scale) in dB below full scale, for the meter's scale;
// silence is -60 dB, the bottom of the meter.
double peakDbfs(double peak);

} // namespace quorl
