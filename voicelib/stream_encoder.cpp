#include "voicelib/stream_encoder.h"

#include "voicelib/adpcm_encoder.h"
#include "voicelib/sample_block_encoder.h"
#include "voicelib/vbr_encoder.h"

#include <algorithm>

namespace quorl::vq4 {

StreamEncoder::StreamEncoder(const CodecInfo& codec, int srType)
    : codec_(codec), configByte_(configurationByte(srType, codec.code)) {}

std::vector<std::uint8_t> StreamEncoder::takeBytes() {
    std::vector<std::uint8_t> out;
    out.swap(bytes_);
    return out;
}

std::unique_ptr<StreamEncoder> makeStreamEncoder(const CodecInfo& codec, int srType) {
    switch (codec.family) {
    case CodecFamily::Adpcm:
        return std::make_unique<AdpcmBlockEncoder>(codec, srType);
    case CodecFamily::EnhancedAdpcm:
        return std::make_unique<EnhancedAdpcmEncoder>(codec, srType);
    case CodecFamily::Vbr:
        return std::make_unique<VbrEncoder>(codec, srType);
    case CodecFamily::MuLaw:
    case CodecFamily::DiffMuLaw:
    case CodecFamily::Pcm:
        break;
    }
    return std::make_unique<SampleBlockEncoder>(codec, srType);
}

std::vector<std::uint8_t> encodeStream(const CodecInfo& codec, int srType,
                                       const std::vector<std::int16_t>& samples,
                                       std::vector<std::int16_t>& decoded) {
    auto encoder = makeStreamEncoder(codec, srType);
    decoded.assign(samples.size(), 0);
    std::vector<std::uint8_t> stream;
    const std::size_t chunk = encoder->chunkSamples();
    for (std::size_t pos = 0; pos < samples.size(); pos += chunk) {
        const std::size_t n = std::min(chunk, samples.size() - pos);
        encoder->encode(samples.data() + pos, n, decoded.data() + pos);
        const auto bytes = encoder->takeBytes();
        stream.insert(stream.end(), bytes.begin(), bytes.end());
    }
    if (samples.empty()) {
        // Even an empty prompt gets its configuration byte.
        encoder->encode(nullptr, 0, nullptr);
        const auto bytes = encoder->takeBytes();
        stream.insert(stream.end(), bytes.begin(), bytes.end());
    }
    return stream;
}

} // namespace quorl::vq4
