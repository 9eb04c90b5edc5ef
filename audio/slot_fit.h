#pragma once

#include <cstddef>
#include <string>

namespace quorl {

// How much of a slot's voice memory a compressed recording takes. A slot owns four
// sectors of 4,096 bytes; the download puts one 4,091-byte block of the stream on
// each (a 5-byte page header, the block's configuration byte left out), so a slot
// holds at most four blocks: 16,364 bytes of stream.
inline constexpr std::size_t kSlotStreamBlock = 4091;
inline constexpr std::size_t kSlotSectors = 4;
inline constexpr std::size_t kSlotCapacityBytes = kSlotSectors * kSlotStreamBlock;

struct SlotFit {
    std::size_t streamBytes = 0;
    std::size_t pages = 0;     // pages of the page file the download makes
    int percent = 0;           // of the slot's capacity, rounded to the nearest
    bool fits = false;         // all pages land in the slot's four sectors
    double seconds = 0;        // the recording at the stream's rate
    double longestSeconds = 0; // what the slot holds at this compression
};

// The fit of a stream of `streamBytes` that decodes to `samples` at `sampleRate` Hz.
SlotFit slotFit(std::size_t streamBytes, std::size_t samples, int sampleRate);

// How long a recording for a slot may run at the compression `fit` was measured
// with: the longest that fits, to the tenth of a second below, so that a recording
// stopped there fits whole.
double recordingLimitSeconds(const SlotFit& fit);

// "72 %, 2.9 s of at most 4.1 s" (and " – too long" when it does not fit), the same
// under every locale.
std::string slotFitText(const SlotFit& fit);

} // namespace quorl
