#pragma once

#include "link/command_frames.h"
#include "link/exchange.h"
#include "link/link_shared.h"
#include "link/operation_runner.h"

#include "codeplug/codeplug_image.h"
#include "codeplug/image_check.h"

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorl {

class PagerLink;
class OperationHost;
struct CodeplugState;

// The two codeplug operations on a port that is already open. Neither asks about the
// image in memory (the caller settles that before it starts the read), and neither
// touches the document's busy flag (its BusyClaim belongs to the caller too).
// `arrived`, when given, gets the staging image as the blocks left it, also when the
// read fails: a fleet names a pager by the General block it sent before it failed.
OperationOutcome readCodeplug(PagerLink& link, CodeplugState& state, OperationHost& host,
                              CodeplugImage* arrived = nullptr);
OperationOutcome writeCodeplug(PagerLink& link, CodeplugState& state, OperationHost& host);

// A read that arrived whole and passed the checks becomes the document: its blocks
// in both images, the band limits, the firmware version, loaded, not modified, no file.
void commitStagedRead(CodeplugState& state, const CodeplugImage& staged, const BandLimits& band,
                      const std::array<std::uint8_t, 5>& firmware);

// Block maps: blocks of 64 bytes, block n at 64 n.
constexpr Address blockAddress(int block) {
    return static_cast<Address>(kBlockSize) * static_cast<Address>(block);
}
inline constexpr int kReadBlocks[] = {4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,  15,  16,  17,
                                      18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 252, 253, 254, 255};
inline constexpr int kWriteBlocks[] = {8,  9,  10, 11, 12, 13, 14, 15, 16, 17,  18,
                                       19, 20, 21, 22, 23, 24, 25, 26, 27, 244, 245};

// What a read-back can check of a write: the written blocks the pager lets us read
// (0x0200-0x06FF). The mirror at 0x3D00 lies outside the read map, and a strict pager
// refuses to read it.
inline constexpr int kVerifyBlocks[] = {8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                                        18, 19, 20, 21, 22, 23, 24, 25, 26, 27};

// The firmware version query of a read (ten tries): its five bytes, or nothing when
// the pager never answered.
std::optional<std::array<std::uint8_t, 5>> queryFirmwareVersion(PagerLink& link);

// The model number query (ten tries, late replies taken): the twelve characters of
// the reply, or nothing when the pager never answered.
std::optional<std::string> queryModelNumber(PagerLink& link);

// The progress window, then the start of read, acknowledged within five tries.
OperationOutcome startReading(PagerLink& link, OperationHost& host);

// How a block read counts its progress: Read Codeplug's percentages by block number,
// or a read-back of other blocks in the order they come.
enum class BlockProgress { CodeplugRead, InOrder };

// Reads `blocks` between a start of read already acknowledged and the end of
// programming mode, handing every byte to `store`.
OperationOutcome readBlocks(PagerLink& link, OperationHost& host, std::span<const int> blocks,
                            BlockProgress progress,
                            const std::function<void(Address, std::uint8_t)>& store);

// Writes `blocks` between a start of write already acknowledged and the end of
// programming mode, each byte taken from `fetch`.
OperationOutcome writeBlocks(PagerLink& link, OperationHost& host, std::span<const int> blocks,
                             const std::function<std::uint8_t(Address)>& fetch);

// Checks first that the pager is of `expected`'s model (Write Error #7 otherwise,
// as Write says it), then reads back what Write Codeplug writes and lists every
// address where the pager holds something else than `expected`. When `pagerImage` is given, every
// byte read back is stored into it at its address.
OperationOutcome verifyCodeplug(PagerLink& link, const CodeplugImage& expected, OperationHost& host,
                                std::vector<Address>& differences,
                                CodeplugImage* pagerImage = nullptr);

// Progress of a block just moved: percentage and text.
int readProgressPercent(int block);
int writeProgressPercent(int block);

} // namespace quorl
