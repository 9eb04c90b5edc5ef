#include "voicelib/codec_types.h"

#include "base/decimal_text.h"

#include "voicelib/text_format.h"

#include <array>

namespace quorl::vq4 {

std::optional<CodecInfo> codecInfo(int t) {
    CodecInfo c;
    c.type = t;
    if (t >= 2 && t <= 5) {
        static constexpr std::array<int, 4> kBlock{16353, 10902, 8177, 6541};
        c.family = CodecFamily::Adpcm;
        c.code = t;
        c.bits = t;
        c.blockSamples = kBlock[static_cast<std::size_t>(t - 2)];
        c.name = formatText("ADPCM%d", t);
        c.reportName = formatText("ADPCM %d Bits", t);
        c.tag = formatText("ADPCM%d-%d-1", 14, t);
        return c;
    }
    if (t >= 10 && t <= 13) {
        c.family = CodecFamily::EnhancedAdpcm;
        c.code = t;
        c.bits = t - 8;
        c.name = formatText("Enhanced ADPCM%d", c.bits);
        c.reportName = formatText("E2ADPCM %d Bits", c.bits);
        c.tag = formatText("ADPCM%d-%d-E2", 14, c.bits);
        return c;
    }
    if ((t >= 16 && t <= 18) || (t >= 20 && t <= 22)) {
        static constexpr std::array<int, 3> kBlock{5453, 4674, 4090};
        const bool diff = t >= 20;
        c.family = diff ? CodecFamily::DiffMuLaw : CodecFamily::MuLaw;
        c.code = t;
        c.bits = (t & 3) + 6;
        c.blockSamples = kBlock[static_cast<std::size_t>(t & 3)];
        c.name = formatText(diff ? "DULAW%d" : "ULAW%d", c.bits);
        c.reportName = formatText(diff ? "DuLaw %d Bits" : "uLaw %d Bits", c.bits);
        c.tag = formatText(diff ? "DuLaw%d" : "uLaw%d", c.bits);
        return c;
    }
    if (t == 24 || t == 25 || t == 27) {
        c.family = CodecFamily::Pcm;
        c.code = t;
        c.bits = t == 24 ? 8 : t == 25 ? 10 : 12;
        c.blockSamples = t == 24 ? 4090 : t == 25 ? 3272 : 2726;
        c.name = formatText("PCM%d", c.bits);
        c.reportName = formatText("PCM %dBit", c.bits);
        c.tag = formatText("PCM%d", c.bits);
        return c;
    }
    if (t >= 28 && t <= 30) {
        static constexpr std::array<const char*, 3> kName{"VBR-High Compression", "VBR-Moderate",
                                                          "VBR-High Quality"};
        static constexpr std::array<double, 3> kMv{2.0, 1.0, 0.5};
        static constexpr std::array<double, 3> kDb{34.0, 38.0, 46.0};
        const auto i = static_cast<std::size_t>(t - 28);
        c.family = CodecFamily::Vbr;
        c.code = 28;
        c.bits = 5;
        c.name = kName[i];
        c.reportName = "MSVBR";
        c.vbrLimitMv = kMv[i];
        c.vbrLimitDb = kDb[i];
        // The tag names files: its numbers must not follow the host program's locale.
        c.tag = "MSVBR14_5-" + decimalText(c.vbrLimitMv, 2) + "mV-" + decimalText(c.vbrLimitDb, 0) +
                "dB";
        return c;
    }
    return std::nullopt;
}

std::string codecListName(int t) {
    if (t == -1)
        return "D:Default";
    const auto c = codecInfo(t);
    return c ? c->name : "Invalid - reselect";
}

bool isValidConfigurationByte(int value) {
    if (value < 0 || value > 223)
        return false;
    const int code = value & 0x1F;
    return (code >= 2 && code <= 5) || (code >= 16 && code <= 18) || (code >= 20 && code <= 22) ||
           code == 24 || code == 25 || code == 27;
}

} // namespace quorl::vq4
