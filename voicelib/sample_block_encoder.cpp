#include "voicelib/sample_block_encoder.h"

#include "voicelib/mulaw_codec.h"
#include "voicelib/vq4_texts.h"

#include <cstdio>

namespace quorl::vq4 {

std::uint32_t encodeSampleCode(CodecFamily family, int bits, int x, int& p, int& decoded) {
    switch (family) {
    case CodecFamily::MuLaw: {
        const std::uint32_t code = muLawEncode(x, bits);
        decoded = muLawDecode(code, bits);
        return code;
    }
    case CodecFamily::DiffMuLaw: {
        DiffMuLaw d{p};
        const std::uint32_t code = d.encode(x, bits, decoded);
        p = d.p;
        return code;
    }
    default: {
        const std::uint32_t code = pcmEncode(x, bits);
        decoded = pcmDecode(code, bits);
        return code;
    }
    }
}

SampleBlockEncoder::SampleBlockEncoder(const CodecInfo& codec, int srType)
    : StreamEncoder(codec, srType) {}

std::size_t SampleBlockEncoder::chunkSamples() const {
    return static_cast<std::size_t>(codec_.blockSamples);
}

void SampleBlockEncoder::completePartialByte() {
    if (writer_.filledBits() == 0)
        return;
    if (codec_.family == CodecFamily::Pcm) {
        std::fputs(texts::kIncompletePcmByte, stdout);
        writer_.flushPartial();
    } else if ((codec_.bits == 6 || codec_.bits == 7) && writer_.filledBits() == 6) {
        // The two free bits repeat bits 3..2 of the same byte.
        writer_.put((writer_.partialByte() >> 2) & 3u, 2);
    } else {
        std::fputs(texts::kIncompleteByte, stdout);
        writer_.flushPartial();
    }
}

void SampleBlockEncoder::encode(const std::int16_t* in, std::size_t n, std::int16_t* decoded) {
    if (!first_)
        completePartialByte();
    first_ = false;
    writer_.put(configByte_, 8);
    int p = 0; // differential µ-law starts every block afresh
    for (std::size_t i = 0; i < n; ++i) {
        int d = 0;
        writer_.put(encodeSampleCode(codec_.family, codec_.bits, in[i], p, d), codec_.bits);
        decoded[i] = static_cast<std::int16_t>(d);
    }
}

} // namespace quorl::vq4
