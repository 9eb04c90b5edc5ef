#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorl::vq4 {

enum class CodecFamily { Adpcm, EnhancedAdpcm, MuLaw, DiffMuLaw, Pcm, Vbr };

// One compression type: how it is named and how its stream is built.
struct CodecInfo {
    int type = 0;         // compressionType as the caller passes it
    CodecFamily family{}; //
    int code = 0;         // codec code, bits 4..0 of the configuration byte
    int bits = 0;         // bits per code (ADPCM width, µ-law or PCM width; VBR: 5)
    int blockSamples = 0; // samples per block (0 for the frame-based types)
    std::string name;     // as listed, e.g. "ADPCM4"
    std::string reportName;
    std::string tag;       // codec tag in file names, e.g. "ADPCM14-4-1"
    double vbrLimitMv = 0; // VBR only: accept a frame at or under this error
    double vbrLimitDb = 0; // VBR only: or at or above this SNR
};

// compressionType -1 takes this: 4-bit enhanced ADPCM.
inline constexpr int kDefaultCompressionType = 12;

// Frames of the enhanced ADPCM and VBR types.
inline constexpr int kFrameSamples = 128;

// The type's description, or nothing for a type that does not exist.
std::optional<CodecInfo> codecInfo(int compressionType);

// The name in a type list: "D:Default" for -1, "Invalid - reselect" for others.
std::string codecListName(int compressionType);

// The byte that heads every stream and block: SRType in bits 7..5, codec code
// in bits 4..0.
inline std::uint8_t configurationByte(int srType, int codecCode) {
    return static_cast<std::uint8_t>(((srType & 7) << 5) | (codecCode & 0x1F));
}

// Whether `value` is a configuration byte the voice chip accepts.
bool isValidConfigurationByte(int value);

} // namespace quorl::vq4
