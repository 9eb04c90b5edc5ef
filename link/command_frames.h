#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorl {

// Frame bytes in both directions.
inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEtx = 0x03;
inline constexpr std::uint8_t kToPager = 0x71;
inline constexpr std::uint8_t kFromPager = 0x80;
inline constexpr std::uint8_t kReplyAck = 0x06;
inline constexpr std::uint8_t kReplyNak = 0x15;
inline constexpr std::uint8_t kReplyBlock = 0x03;

// Command codes.
namespace cmd {
inline constexpr std::uint8_t kWriteBlock = 0x01;
inline constexpr std::uint8_t kReadBlock = 0x02;
inline constexpr std::uint8_t kStartWrite = 0x20;
inline constexpr std::uint8_t kEndWrite = 0x21;
inline constexpr std::uint8_t kStartRead = 0x22;
inline constexpr std::uint8_t kEndRead = 0x23;
inline constexpr std::uint8_t kFirmwareVersion = 0x70;
inline constexpr std::uint8_t kEndProgramming = 0x72;
inline constexpr std::uint8_t kModelNumber = 0x74;
inline constexpr std::uint8_t kPresence = 0x78;
inline constexpr std::uint8_t kSupportedVersion = 0x7A;
inline constexpr std::uint8_t kStatus = 0x92;
inline constexpr std::uint8_t kWriteVoice = 0xA1;
inline constexpr std::uint8_t kEraseVoice = 0xA6;
inline constexpr std::uint8_t kPlayCustomAudio = 0xB0;
inline constexpr std::uint8_t kPlayAlertTone = 0xB5;
inline constexpr std::uint8_t kPlayPreview = 0xB6;
} // namespace cmd

// The fixed commands, sent as these texts.
namespace frame_text {
inline constexpr std::string_view kStartWrite = "02 71 20 91 03";
inline constexpr std::string_view kEndWrite = "02 71 21 92 03";
inline constexpr std::string_view kStartRead = "02 71 22 93 03";
inline constexpr std::string_view kEndRead = "02 71 23 94 03";
inline constexpr std::string_view kFirmwareVersion = "02 71 70 E1 03";
inline constexpr std::string_view kEndProgramming = "02 71 72 E3 03";
inline constexpr std::string_view kModelNumber = "02 71 74 E5 03";
inline constexpr std::string_view kPresence = "02 71 78 E9 03";
inline constexpr std::string_view kSupportedVersion = "02 71 7A EB 03";
inline constexpr std::string_view kStatus = "02 71 92 03 03";
} // namespace frame_text

inline constexpr std::size_t kBlockSize = 64;
inline constexpr std::size_t kVoicePartSize = 512;

// Sum modulo 256, the checksum of both directions (over direction byte to last
// payload byte).
std::uint8_t frameChecksum(std::span<const std::uint8_t> bytes);

// Builders for the variable commands; each returns the hex text for Send hex frame.
std::string readBlockFrame(std::uint16_t address);
std::string writeBlockFrame(std::uint16_t address, std::span<const std::uint8_t, kBlockSize> data);
std::string writeVoiceFrame(std::uint16_t sector, std::uint8_t part,
                            std::span<const std::uint8_t, kVoicePartSize> data);
std::string eraseVoiceFrame(std::uint16_t firstSector);
std::string playCustomAudioFrame(std::uint8_t slot);
std::string playAlertToneFrame(std::uint8_t tone);
std::string playPreviewFrame(const std::array<std::uint8_t, 5>& parameters);

// An audition command with its parameter bytes (0xB0/0xB5 one byte, 0xB6 five): the
// counted-payload form "02 71 CC NNNN P.. CK 03".
std::string countedCommandFrame(std::uint8_t command, std::span<const std::uint8_t> parameters);

} // namespace quorl
