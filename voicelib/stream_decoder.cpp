#include "voicelib/stream_decoder.h"

#include "voicelib/adpcm_coder.h"
#include "voicelib/bit_writer.h"
#include "voicelib/codec_types.h"
#include "voicelib/mulaw_codec.h"
#include "voicelib/vbr_encoder.h"

namespace quorl::vq4 {

namespace {

int decodeSample(CodecFamily family, int bits, std::uint32_t code, int& p) {
    switch (family) {
    case CodecFamily::MuLaw:
        return muLawDecode(code, bits);
    case CodecFamily::DiffMuLaw: {
        DiffMuLaw d{p};
        const int v = d.decode(code, bits);
        p = d.p;
        return v;
    }
    default:
        return pcmDecode(code, bits);
    }
}

void decodeAdpcmBlocks(BitReader& r, const CodecInfo& c, std::vector<std::int16_t>& out) {
    AdpcmState s;
    s.width = c.bits;
    bool first = true;
    while (true) {
        if (!first)
            r.alignToByte(); // skip the bits that completed the last byte
        first = false;
        if (!r.canRead(24))
            return;
        r.get(8); // the configuration byte repeated at each block
        const std::uint32_t a = r.get(8);
        const std::uint32_t b = r.get(8);
        s.index = static_cast<int>(a >> 2);
        const auto f =
            static_cast<std::int16_t>(static_cast<std::uint16_t>(((a & 3u) << 14) | (b << 6)));
        s.x1 = f >> 2;
        out.push_back(f);
        for (int i = 1; i < c.blockSamples && r.canRead(c.bits); ++i)
            out.push_back(static_cast<std::int16_t>(adpcmDecode(s, r.get(c.bits)) * 4));
    }
}

void decodeSampleBlocks(BitReader& r, const CodecInfo& c, std::vector<std::int16_t>& out) {
    bool first = true;
    while (true) {
        if (!first)
            r.alignToByte();
        first = false;
        if (!r.canRead(8))
            return;
        r.get(8);
        int p = 0;
        for (int i = 0; i < c.blockSamples && r.canRead(c.bits); ++i)
            out.push_back(
                static_cast<std::int16_t>(decodeSample(c.family, c.bits, r.get(c.bits), p)));
    }
}

// Reads an enhanced frame's two header bytes and up to 128 codes.
bool decodeEnhancedFrame(BitReader& r, AdpcmState& s, int width, std::vector<std::int16_t>& out) {
    if (!r.canRead(16))
        return false;
    const std::uint32_t h1 = r.get(8);
    const std::uint32_t h2 = r.get(8);
    s.width = width;
    s.ub = static_cast<int>(h1 >> 2);
    s.subTable = static_cast<int>(h1 & 3u);
    s.k2 = static_cast<int>((h2 >> 4) & 7u);
    s.k1 = static_cast<int>(h2 & 7u);
    for (int i = 0; i < kFrameSamples && r.canRead(width); ++i)
        out.push_back(static_cast<std::int16_t>(adpcmDecode(s, r.get(width)) * 4));
    return true;
}

void decodeVbrFrames(BitReader& r, std::vector<std::int16_t>& out) {
    AdpcmState s;
    const auto& alts = vbrAlternatives();
    while (r.canRead(8)) {
        const int code = static_cast<int>(r.get(8) & 0x1Fu);
        if (code >= 10 && code <= 13) {
            if (!decodeEnhancedFrame(r, s, code - 8, out))
                return;
            continue;
        }
        const VbrAlternative* alt = nullptr;
        for (const auto& a : alts)
            if (a.code == code)
                alt = &a;
        if (alt == nullptr)
            return;
        int p = s.x1 * 4;
        const std::size_t start = out.size();
        for (int i = 0; i < kFrameSamples && r.canRead(alt->bits); ++i)
            out.push_back(static_cast<std::int16_t>(
                decodeSample(alt->family, alt->bits, r.get(alt->bits), p)));
        const std::size_t n = out.size() - start;
        if (n == 0)
            return;
        s.x2 = n >= 2 ? out[out.size() - 2] >> 2 : s.x1;
        s.x1 = out.back() >> 2;
    }
}

} // namespace

std::optional<std::vector<std::int16_t>> decodeStream(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size == 0)
        return std::nullopt;
    const int code = data[0] & 0x1F;
    // The codec codes equal the compression types except for VBR (all three share 28).
    const auto codec = codecInfo(code);
    if (!codec)
        return std::nullopt;
    BitReader r(data, size);
    std::vector<std::int16_t> out;
    switch (codec->family) {
    case CodecFamily::Adpcm:
        decodeAdpcmBlocks(r, *codec, out);
        break;
    case CodecFamily::EnhancedAdpcm: {
        r.get(8);
        AdpcmState s;
        while (decodeEnhancedFrame(r, s, codec->bits, out)) {
        }
        break;
    }
    case CodecFamily::Vbr:
        r.get(8);
        decodeVbrFrames(r, out);
        break;
    default:
        decodeSampleBlocks(r, *codec, out);
        break;
    }
    return out;
}

} // namespace quorl::vq4
