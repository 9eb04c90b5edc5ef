#include "link/sim/command_frame_scan.h"

#include "link/command_frames.h"

namespace quorl::sim {

namespace {

bool isFixedCommand(std::uint8_t c) {
    switch (c) {
    case cmd::kStartWrite:
    case cmd::kEndWrite:
    case cmd::kStartRead:
    case cmd::kEndRead:
    case cmd::kFirmwareVersion:
    case cmd::kEndProgramming:
    case cmd::kModelNumber:
    case cmd::kPresence:
    case cmd::kSupportedVersion:
    case cmd::kStatus:
        return true;
    default:
        return false;
    }
}

// The count a counted command must carry.
int expectedCount(std::uint8_t c) {
    switch (c) {
    case cmd::kWriteVoice:
        return 3 + static_cast<int>(kVoicePartSize);
    case cmd::kEraseVoice:
        return 4;
    case cmd::kPlayCustomAudio:
    case cmd::kPlayAlertTone:
        return 1;
    case cmd::kPlayPreview:
        return 5;
    default:
        return -1;
    }
}

FrameScan invalid(std::string why) {
    FrameScan s;
    s.result = ScanResult::Invalid;
    s.problem = std::move(why);
    return s;
}

std::vector<std::uint8_t> finish(std::vector<std::uint8_t> body) {
    // body holds 02 80 code ...; the checksum covers everything after STX.
    const std::uint8_t ck =
        frameChecksum(std::span<const std::uint8_t>(body.data() + 1, body.size() - 1));
    body.push_back(ck);
    body.push_back(kEtx);
    return body;
}

} // namespace

FrameScan scanCommandFrame(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 3)
        return {};
    if (bytes[0] != kStx)
        return invalid("no STX");
    if (bytes[1] != kToPager)
        return invalid("direction byte is not 71");
    const std::uint8_t c = bytes[2];
    std::size_t payload = 0;
    if (isFixedCommand(c)) {
        payload = 0;
    } else if (c == cmd::kReadBlock || c == cmd::kWriteBlock) {
        if (bytes.size() < 7)
            return {};
        const unsigned count = unsigned{bytes[5]} << 8 | bytes[6];
        if (count != kBlockSize)
            return invalid("block count is not 0040");
        payload = 4 + (c == cmd::kWriteBlock ? kBlockSize : 0);
    } else if (const int expected = expectedCount(c); expected >= 0) {
        if (bytes.size() < 5)
            return {};
        const int count = int{bytes[3]} << 8 | bytes[4];
        if (count != expected)
            return invalid("count does not fit the command");
        payload = 2 + static_cast<std::size_t>(count);
    } else {
        return invalid("unknown command");
    }
    const std::size_t total = 3 + payload + 2;
    if (bytes.size() < total)
        return {};
    const std::uint8_t sum = frameChecksum(bytes.subspan(1, 2 + payload));
    if (bytes[3 + payload] != sum || bytes[4 + payload] != kEtx) {
        // The layout was right, so the whole frame is known and skipped at once.
        FrameScan s = invalid(bytes[3 + payload] != sum ? "wrong checksum" : "no ETX");
        s.length = total;
        return s;
    }
    FrameScan s;
    s.result = ScanResult::Valid;
    s.length = total;
    s.frame.command = c;
    s.frame.payload.assign(bytes.begin() + 3, bytes.begin() + 3 + static_cast<long>(payload));
    return s;
}

int frameAddress(const CommandFrame& f) {
    const auto& p = f.payload;
    switch (f.command) {
    case cmd::kReadBlock:
    case cmd::kWriteBlock:
        return p.size() >= 2 ? (p[0] << 8 | p[1]) : -1;
    case cmd::kWriteVoice:
    case cmd::kEraseVoice:
        return p.size() >= 4 ? (p[2] << 8 | p[3]) : -1;
    case cmd::kPlayCustomAudio:
    case cmd::kPlayAlertTone:
        return p.size() >= 3 ? p[2] : -1;
    default:
        return -1;
    }
}

std::vector<std::uint8_t> ackReply() {
    return {kStx, kFromPager, kReplyAck, 0x86, kEtx};
}
std::vector<std::uint8_t> nakReply() {
    return {kStx, kFromPager, kReplyNak, 0x95, kEtx};
}

std::vector<std::uint8_t> dataReply(std::uint8_t code, std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> body{kStx, kFromPager, code, 0x00,
                                   static_cast<std::uint8_t>(data.size())};
    body.insert(body.end(), data.begin(), data.end());
    return finish(std::move(body));
}

std::vector<std::uint8_t> blockReply(std::uint16_t address, std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> body{kStx,
                                   kFromPager,
                                   kReplyBlock,
                                   static_cast<std::uint8_t>(address >> 8),
                                   static_cast<std::uint8_t>(address & 0xFF),
                                   0x00,
                                   static_cast<std::uint8_t>(data.size())};
    body.insert(body.end(), data.begin(), data.end());
    return finish(std::move(body));
}

} // namespace quorl::sim
