#include "link/sim/pager_model.h"

#include "codeplug/general_block.h"
#include "link/command_frames.h"

#include <algorithm>

namespace quorl::sim {

namespace {
std::span<const std::uint8_t> bytesOf(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}
} // namespace

PagerModel::PagerModel(CodeplugImage codeplug, PagerIdentity identity)
    : codeplug_(codeplug), identity_(std::move(identity)) {}

std::string PagerModel::modelNumber() const {
    std::string m =
        identity_.modelNumber ? *identity_.modelNumber : GeneralBlock(codeplug_).modelNumber();
    m.resize(12, ' ');
    return m;
}

std::array<std::uint8_t, 5> PagerModel::supportedVersion() const {
    if (identity_.supportedVersion)
        return *identity_.supportedVersion;
    // The pager supports the version of the codeplug it left the factory with.
    const auto version = GeneralBlock(codeplug_).codeplugVersionChars();
    return {0x00, static_cast<std::uint8_t>(version[1]), static_cast<std::uint8_t>(version[2]),
            0x00, 0x00};
}

std::array<std::uint8_t, kSectorSize> PagerModel::sector(unsigned number) const {
    const auto it = sectors_.find(number);
    if (it != sectors_.end())
        return it->second;
    std::array<std::uint8_t, kSectorSize> blank;
    blank.fill(0xFF);
    return blank;
}

PagerResponse PagerModel::handle(const CommandFrame& f) {
    const auto& p = f.payload;
    switch (f.command) {
    case cmd::kStartRead:
        mode_ = Mode::Reading;
        return {ackReply()};
    case cmd::kStartWrite:
        mode_ = Mode::Writing;
        return {ackReply()};
    case cmd::kEndRead:
    case cmd::kEndWrite:
    case cmd::kEndProgramming:
        mode_ = Mode::Idle;
        return {ackReply()};
    case cmd::kFirmwareVersion: {
        std::string fw = identity_.firmware;
        fw.resize(5, ' ');
        return {dataReply(0x71, bytesOf(fw))};
    }
    case cmd::kModelNumber:
        return {dataReply(0x75, bytesOf(modelNumber()))};
    case cmd::kPresence: {
        const std::uint8_t here[] = {0x01};
        return {dataReply(0x79, here)};
    }
    case cmd::kSupportedVersion: {
        const auto v = supportedVersion();
        return {dataReply(0x7B, v)};
    }
    case cmd::kStatus: {
        const std::uint8_t status[] = {
            static_cast<std::uint8_t>(identity_.hasSerialNumber ? 0x40 : 0x00)};
        return {dataReply(0x93, status)};
    }
    case cmd::kReadBlock: {
        const unsigned address = unsigned{p[0]} << 8 | p[1];
        // Blocks are served only between start and end of a read, and only those of the
        // read map (0x0100-0x06FF, 0x3F00-0x3FFF), as a strict pager does.
        const bool readable = (address >= 0x0100 && address + kBlockSize <= 0x0700) ||
                              (address >= 0x3F00 && address + kBlockSize <= kImageSize);
        if (mode_ != Mode::Reading || !readable)
            return {nakReply()};
        std::array<std::uint8_t, kBlockSize> data{};
        for (std::size_t i = 0; i < kBlockSize; ++i)
            data[i] = codeplug_.at(address + static_cast<Address>(i));
        return {blockReply(static_cast<std::uint16_t>(address), data)};
    }
    case cmd::kWriteBlock: {
        const unsigned address = unsigned{p[0]} << 8 | p[1];
        if (mode_ != Mode::Writing || address + kBlockSize > kImageSize)
            return {nakReply()};
        for (std::size_t i = 0; i < kBlockSize; ++i)
            codeplug_.set(address + static_cast<Address>(i), p[4 + i]);
        return {ackReply()};
    }
    case cmd::kWriteVoice:
        return writeVoice(f);
    case cmd::kEraseVoice:
        return eraseVoice(f);
    case cmd::kPlayCustomAudio:
        if (p[2] > 12)
            return {nakReply()};
        auditions_.push_back(p[2]);
        return {ackReply()};
    case cmd::kPlayAlertTone:
        auditions_.push_back(100 + p[2]);
        return {ackReply()};
    case cmd::kPlayPreview:
        auditions_.push_back(200);
        return {ackReply()};
    default:
        return {nakReply()};
    }
}

PagerResponse PagerModel::writeVoice(const CommandFrame& f) {
    const auto& p = f.payload; // count(2) SH SL NN data(512)
    const unsigned sectorNo = unsigned{p[2]} << 8 | p[3];
    const unsigned part = p[4];
    if (sectorNo >= kSectorCount || part > 7)
        return {nakReply()};
    auto it = sectors_.find(sectorNo);
    if (it == sectors_.end()) {
        std::array<std::uint8_t, kSectorSize> blank;
        blank.fill(0xFF);
        it = sectors_.emplace(sectorNo, blank).first;
    }
    auto* target = it->second.data() + part * kVoicePartSize;
    // Flash takes a write only where it is erased.
    if (!std::all_of(target, target + kVoicePartSize, [](std::uint8_t b) { return b == 0xFF; }))
        return {nakReply()};
    std::copy_n(p.begin() + 5, kVoicePartSize, target);
    return {ackReply()};
}

PagerResponse PagerModel::eraseVoice(const CommandFrame& f) {
    const auto& p = f.payload; // count(2) SH SL SH SL+3
    const unsigned first = unsigned{p[2]} << 8 | p[3];
    const unsigned last = unsigned{p[4]} << 8 | p[5];
    if (last != first + 3 || last >= kSectorCount)
        return {nakReply()};
    for (unsigned s = first; s <= last; ++s)
        sectors_.erase(s);
    return {ackReply(), eraseDelayMs_};
}

} // namespace quorl::sim
