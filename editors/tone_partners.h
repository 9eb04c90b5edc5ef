#pragma once

#include "codeplug/channel_block.h"

#include <optional>

namespace quorl {

// Partner matching: a typed tone that lies within 1.55 % of a tone it must agree
// with (a tone the pager decodes as the same tone in another call address) is
// taken as exactly that tone, so two nearly equal entries cannot disagree.
//
// `typed` is the number as typed, `snapped` the number after snapping to the tone
// system's table. Returns the partner's frequency in Hz when one matches.
// `toneSystemChanged` turns off the all-tones search of R168 (None) while a new
// tone system re-snaps every tone.
std::optional<double> matchPartner(const ConstChannelBlock& block, int codingOption, ToneSlot slot,
                                   double typed, double snapped, bool toneSystemChanged);

// The group call whose "Long C" tone is the user's own: Group Call 2 under R134,
// Group Call 1 under R362.
bool isOwnLongC(int codingOption, ToneSlot slot);

// Whether two tones are within the minimum spacing of 1.55 % (inclusive).
bool tooClose(double tone, double other);

} // namespace quorl
