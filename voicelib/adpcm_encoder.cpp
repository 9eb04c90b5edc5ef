#include "voicelib/adpcm_encoder.h"

#include "voicelib/enhanced_frame.h"
#include "voicelib/vq4_texts.h"

#include <cstdio>

namespace quorl::vq4 {

AdpcmBlockEncoder::AdpcmBlockEncoder(const CodecInfo& codec, int srType)
    : StreamEncoder(codec, srType) {
    state_.width = codec.bits;
    state_.k1 = 4;
    state_.k2 = 4;
    state_.subTable = 0;
    state_.ub = 63;
}

std::size_t AdpcmBlockEncoder::chunkSamples() const {
    return static_cast<std::size_t>(codec_.blockSamples);
}

void AdpcmBlockEncoder::encode(const std::int16_t* in, std::size_t n, std::int16_t* decoded) {
    if (n == 0) {
        if (first_)
            writer_.put(configByte_, 8);
        first_ = false;
        return;
    }
    // The first sample travels as its top ten bits.
    const auto f = static_cast<std::uint16_t>(static_cast<std::uint16_t>(in[0]) & 0xFFC0u);
    const auto a = static_cast<std::uint32_t>((state_.index << 2) | (f >> 14));
    const auto b = static_cast<std::uint32_t>((f >> 6) & 0xFFu);
    if (!first_) {
        // The previous block ended inside a byte: 3-bit codes leave one bit,
        // 5-bit codes four; both are filled so every block stays 4091 bytes.
        if (writer_.filledBits() != 0) {
            if (codec_.bits == 3) {
                writer_.put((static_cast<std::uint16_t>(in[0]) >> 14) & 1u, 1);
            } else if (codec_.bits == 5) {
                writer_.put(a & 0xFu, 4);
            } else {
                std::fputs(texts::kIncompleteAdpcmByte, stdout);
                writer_.flushPartial();
            }
        }
    }
    first_ = false;
    writer_.put(configByte_, 8);
    writer_.put(a, 8);
    writer_.put(b, 8);
    const auto fSigned = static_cast<std::int16_t>(f);
    state_.x1 = fSigned >> 2;
    decoded[0] = fSigned;
    for (std::size_t i = 1; i < n; ++i) {
        int r = 0;
        writer_.put(adpcmEncode(state_, in[i] >> 2, r), codec_.bits);
        decoded[i] = static_cast<std::int16_t>(r * 4);
    }
}

EnhancedAdpcmEncoder::EnhancedAdpcmEncoder(const CodecInfo& codec, int srType)
    : StreamEncoder(codec, srType) {
    state_.width = codec.bits;
}

std::size_t EnhancedAdpcmEncoder::chunkSamples() const {
    return static_cast<std::size_t>(kFrameSamples) * 64;
}

void EnhancedAdpcmEncoder::encode(const std::int16_t* in, std::size_t n, std::int16_t* decoded) {
    if (first_) {
        writer_.put(configByte_, 8);
        first_ = false;
    }
    EnhancedFrame frame;
    int v[kFrameSamples];
    for (std::size_t pos = 0; pos < n; pos += kFrameSamples) {
        const int count = static_cast<int>(std::min<std::size_t>(kFrameSamples, n - pos));
        for (int i = 0; i < count; ++i)
            v[i] = in[pos + static_cast<std::size_t>(i)] >> 2;
        searchEnhancedFrame(state_, codec_.bits, v, count, frame);
        writeEnhancedFrame(frame, codec_.bits, writer_);
        for (int i = 0; i < count; ++i)
            decoded[pos + static_cast<std::size_t>(i)] =
                static_cast<std::int16_t>(frame.reconstructed[static_cast<std::size_t>(i)] * 4);
        state_ = frame.endState;
    }
}

} // namespace quorl::vq4
