#pragma once

#include "voicelib/stream_encoder.h"

namespace quorl::vq4 {

// µ-law, differential µ-law and PCM: one code per sample in blocks that fill a
// memory sector, each block after the first headed by the configuration byte.
class SampleBlockEncoder : public StreamEncoder {
public:
    SampleBlockEncoder(const CodecInfo& codec, int srType);
    std::size_t chunkSamples() const override;
    void encode(const std::int16_t* in, std::size_t n, std::int16_t* decoded) override;

private:
    void completePartialByte();
    bool first_ = true;
};

// One sample through one of these codecs; `p` is the differential µ-law
// reconstruction and is ignored by the others. Used by the VBR alternatives.
std::uint32_t encodeSampleCode(CodecFamily family, int bits, int x, int& p, int& decoded);

} // namespace quorl::vq4
