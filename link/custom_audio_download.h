#pragma once

#include "link/codeplug_operation.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quorl {

class PagerLink;
class OperationHost;

inline constexpr int kDownloadSlots = 13;

// Where each slot lives in the pager's voice memory: four sectors from here.
inline constexpr std::array<std::uint16_t, kDownloadSlots> kSlotFirstSector{
    0x0101, 0x0105, 0x0109, 0x010D, 0x0111, 0x011D, 0x0121,
    0x0125, 0x0129, 0x012D, 0x0131, 0x0135, 0x0139};

// One slot as the download sees it: marked for writing or not, and its WAV file.
struct DownloadSlot {
    bool write = false;
    std::filesystem::path wav;
};

// Compresses a slot's WAV and names the stream file it produced for that slot.
using StreamBuilder =
    std::function<std::optional<std::filesystem::path>(int slot, const std::string& wav)>;

// A stream that went into a slot, described from the very bytes that were checked and
// sent (not from its file afterwards, which anyone may replace meanwhile).
struct SentStream {
    int slot = 0;
    std::string file;
    std::size_t size = 0;
    std::string sha256;
};
using SentStreamObserver = std::function<void(const SentStream&)>;

// Write Custom Audio on an open port: for every marked slot, check the WAV, build
// its stream, turn it into pages, erase the slot's sectors and write the pages in
// 512-byte parts. Slots whose WAV is gone or invalid are named in a note at the end.
// A stream that is empty, cut off or not the pager's format is never sent: the slot is
// left as it was (not erased), a message names it and its file, and the note lists it.
// `onSent` hears of every slot written.
OperationOutcome downloadCustomAudio(PagerLink& link, OperationHost& host,
                                     const std::array<DownloadSlot, kDownloadSlots>& slots,
                                     const StreamBuilder& buildStream,
                                     const SentStreamObserver& onSent = {});

} // namespace quorl
