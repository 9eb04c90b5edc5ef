#pragma once

#include "codeplug/channel_block.h"
#include "codeplug/codeplug_state.h"

#include <cstdint>
#include <string>

namespace quorl {

// Where the next stored tone goes. The channel tab and the tone-table pickers set
// exactly one index before they store: tone 1 or tone 2 of a call address (1..10)
// or a group call (1..5); 0 means "not this one".
struct ToneTarget {
    int tone1Call = 0;
    int tone2Call = 0;
    int groupCall = 0;

    static ToneTarget forSlot(ToneSlot slot);
    // The one process-wide target that the tab and the pickers share.
    static ToneTarget& process();
};

// Each store writes T, cycleCount and periodPreset into the entry the target names
// (when its own index is set), then makes the copies the channel's coding option
// demands, then sets `modified`. All writes go to the edit image of `channel`.
// Returns "%3.1f" of T / 10. The copies are made even when the target's index for
// this store is 0, so calling all three in a row is safe.
std::string storeTone1(CodeplugState& state, int channel, const ToneTarget& target,
                       std::uint16_t tenthsHz);
std::string storeTone2(CodeplugState& state, int channel, const ToneTarget& target,
                       std::uint16_t tenthsHz);
std::string storeGroupTone(CodeplugState& state, int channel, const ToneTarget& target,
                           std::uint16_t tenthsHz);

// The tone the target names (tone 1 first, then tone 2, then the group), or an
// empty tone when none is set.
StoredTone targetTone(const CodeplugImage& image, int channel, const ToneTarget& target);

} // namespace quorl
