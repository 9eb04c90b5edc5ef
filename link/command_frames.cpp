#include "link/command_frames.h"

#include <cstdio>
#include <vector>

namespace quorl {

namespace {

// Composes "02 71 <body> CK 03" with "%02X" per byte; the checksum covers the
// direction byte and the body.
std::string composeFrame(const std::vector<std::uint8_t>& body) {
    std::string text = "02 71";
    std::uint8_t sum = kToPager;
    char buf[8];
    for (std::uint8_t b : body) {
        std::snprintf(buf, sizeof buf, " %02X", static_cast<unsigned>(b));
        text += buf;
        sum = static_cast<std::uint8_t>(sum + b);
    }
    std::snprintf(buf, sizeof buf, " %02X", static_cast<unsigned>(sum));
    text += buf;
    text += " 03";
    return text;
}

void pushU16(std::vector<std::uint8_t>& v, std::uint16_t x) {
    v.push_back(static_cast<std::uint8_t>(x >> 8));
    v.push_back(static_cast<std::uint8_t>(x & 0xFF));
}

} // namespace

std::uint8_t frameChecksum(std::span<const std::uint8_t> bytes) {
    unsigned sum = 0;
    for (std::uint8_t b : bytes)
        sum += b;
    return static_cast<std::uint8_t>(sum & 0xFF);
}

std::string readBlockFrame(std::uint16_t address) {
    std::vector<std::uint8_t> body{cmd::kReadBlock};
    pushU16(body, address);
    pushU16(body, kBlockSize);
    return composeFrame(body);
}

std::string writeBlockFrame(std::uint16_t address, std::span<const std::uint8_t, kBlockSize> data) {
    std::vector<std::uint8_t> body{cmd::kWriteBlock};
    pushU16(body, address);
    pushU16(body, kBlockSize);
    body.insert(body.end(), data.begin(), data.end());
    return composeFrame(body);
}

std::string writeVoiceFrame(std::uint16_t sector, std::uint8_t part,
                            std::span<const std::uint8_t, kVoicePartSize> data) {
    std::vector<std::uint8_t> body{cmd::kWriteVoice};
    pushU16(body, 3 + kVoicePartSize);
    pushU16(body, sector);
    body.push_back(part);
    body.insert(body.end(), data.begin(), data.end());
    return composeFrame(body);
}

std::string eraseVoiceFrame(std::uint16_t firstSector) {
    std::vector<std::uint8_t> body{cmd::kEraseVoice};
    pushU16(body, 4);
    pushU16(body, firstSector);
    pushU16(body, static_cast<std::uint16_t>(firstSector + 3));
    return composeFrame(body);
}

std::string countedCommandFrame(std::uint8_t command, std::span<const std::uint8_t> parameters) {
    std::vector<std::uint8_t> body{command};
    pushU16(body, static_cast<std::uint16_t>(parameters.size()));
    body.insert(body.end(), parameters.begin(), parameters.end());
    return composeFrame(body);
}

std::string playCustomAudioFrame(std::uint8_t slot) {
    const std::uint8_t p[] = {slot};
    return countedCommandFrame(cmd::kPlayCustomAudio, p);
}

std::string playAlertToneFrame(std::uint8_t tone) {
    const std::uint8_t p[] = {tone};
    return countedCommandFrame(cmd::kPlayAlertTone, p);
}

std::string playPreviewFrame(const std::array<std::uint8_t, 5>& parameters) {
    return countedCommandFrame(cmd::kPlayPreview, parameters);
}

} // namespace quorl
