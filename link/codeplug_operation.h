#pragma once

#include "link/exchange.h"
#include "link/link_shared.h"

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

// How an operation ended: a numbered message has been shown for Failed; Cancelled
// ends quietly (the user said Cancel, or chose no cradle).
enum class OperationOutcome { Succeeded, Failed, Cancelled };

// The custom-audio download, handed the operation's open link.
using CustomAudioDownload = std::function<OperationOutcome(PagerLink&, OperationHost&)>;
// What runs on an open link; `host` is the one to talk through (it records the
// operation's steps and messages in the link trace when one is active).
using OperationBody = std::function<OperationOutcome(PagerLink& link, OperationHost& host)>;

// One pager operation from the port choice to the common exit: choose the port,
// open it at 57,600 baud 8N2, run Read Codeplug (1), Write Codeplug (2) or the
// custom-audio download (3), and close the port on every way out. Runs on the
// operation's worker thread; every word to the user goes through `host`.
OperationOutcome runPagerOperation(OperationSelector selector, CodeplugState& state,
                                   OperationHost& host, const CustomAudioDownload& download = {});

// How an operation ends when the port choice gave no port: Failed after
// Communication Error #1, Cancelled when the user chose no cradle.
OperationOutcome outcomeWithoutPort();

// The operation frame on a known device (the command-line tool's --port): open,
// run flag and status, `body`, and the common exit.
OperationOutcome runOperationOnDevice(const std::string& deviceName, OperationHost& host,
                                      const OperationBody& body, OperationSelector selector);

// The two codeplug operations on a port that is already open.
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
inline constexpr int kReadBlocks[] = {4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,  15,  16,  17,
                                      18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 252, 253, 254, 255};
inline constexpr int kWriteBlocks[] = {8,  9,  10, 11, 12, 13, 14, 15, 16, 17,  18,
                                       19, 20, 21, 22, 23, 24, 25, 26, 27, 244, 245};

// What a read-back can check of a write: the written blocks the pager lets us read
// (0x0200-0x06FF). The mirror at 0x3D00 lies outside the read map, and a strict pager
// refuses to read it.
inline constexpr int kVerifyBlocks[] = {8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                                        18, 19, 20, 21, 22, 23, 24, 25, 26, 27};

// A query whose reply may come a little late: up to `attempts` tries, each waiting at
// most `waitMs` for the drain; an unanswered try looks once more after a pause (a
// whole second after the fifth).
QueryResult queryWithLateReply(PagerLink& link, std::string_view frame, int attempts, int waitMs);

// The firmware version query of a read (ten tries): its five bytes, or nothing when
// the pager never answered.
std::optional<std::array<std::uint8_t, 5>> queryFirmwareVersion(PagerLink& link);

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
