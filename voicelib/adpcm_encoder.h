#pragma once

#include "voicelib/adpcm_coder.h"
#include "voicelib/stream_encoder.h"

namespace quorl::vq4 {

// Plain ADPCM: blocks that fill one memory sector's 4091 content bytes, each
// headed by the configuration byte and the block's first sample at 10 bits, so
// the chip can start playing at any block.
class AdpcmBlockEncoder : public StreamEncoder {
public:
    AdpcmBlockEncoder(const CodecInfo& codec, int srType);
    std::size_t chunkSamples() const override;
    void encode(const std::int16_t* in, std::size_t n, std::int16_t* decoded) override;

private:
    AdpcmState state_;
    bool first_ = true;
};

// Enhanced ADPCM: frames of 128 samples, each with the predictor and adaptation
// that code it best.
class EnhancedAdpcmEncoder : public StreamEncoder {
public:
    EnhancedAdpcmEncoder(const CodecInfo& codec, int srType);
    std::size_t chunkSamples() const override;
    void encode(const std::int16_t* in, std::size_t n, std::int16_t* decoded) override;

private:
    AdpcmState state_;
    bool first_ = true;
};

} // namespace quorl::vq4
