#pragma once

#include "voicelib/adpcm_coder.h"
#include "voicelib/stream_encoder.h"

#include <array>

namespace quorl::vq4 {

// The nine fixed-rate codecs a VBR frame may use instead of ADPCM, in the order
// they are considered.
struct VbrAlternative {
    const char* name;
    CodecFamily family;
    int code;
    int bits;
};
const std::array<VbrAlternative, 9>& vbrAlternatives();

// Variable bit rate: per frame of 128 samples, the narrowest ADPCM that meets
// the type's error or quality limit, or a fixed-rate alternative when that is
// cheaper than one more ADPCM bit.
class VbrEncoder : public StreamEncoder {
public:
    VbrEncoder(const CodecInfo& codec, int srType);
    std::size_t chunkSamples() const override;
    void encode(const std::int16_t* in, std::size_t n, std::int16_t* decoded) override;

private:
    void encodeFrame(const std::int16_t* in, int count, std::int16_t* decoded);
    void writeAlternative(std::size_t alt, const std::int16_t* in, int count,
                          std::int16_t* decoded);

    int srType_;
    AdpcmState state_;
    bool first_ = true;
};

} // namespace quorl::vq4
