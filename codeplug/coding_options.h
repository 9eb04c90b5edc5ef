#pragma once

#include "codeplug/channel_block.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quorl {

// One tone that a coding option keeps equal to another: T, cycleCount and
// periodPreset of `target` always follow `source`.
struct ToneCopy {
    ToneSlot target;
    ToneSlot source;
};

// A two-tone sequential coding format: how many call addresses and group calls the
// channel decodes, the "C/S" label of the first two of each, and which tones are
// copies of another (the pager decodes them as one shared tone).
struct CodingOption {
    std::string_view name;
    int calls = 0;
    int groups = 0;
    std::array<std::string_view, 2> callLabels;
    std::array<std::string_view, 2> groupLabels;
    std::span<const ToneCopy> copies;
};

inline constexpr int kCodingOptionCount = 11;

// Option 0..10; anything above 10 is read as 10 ("R168 (None)"), the most general.
const CodingOption& codingOption(int index);

// The source of `slot` when the option makes it a copy, else none.
std::optional<ToneSlot> copySource(const CodingOption& option, ToneSlot slot);

// Whether the option decodes the entry at `row` (0..9 calls, 10..14 groups).
bool usesRow(const CodingOption& option, int row);

// Copies every tone the option demands (all rules, in table order). Returns true
// when a byte changed.
bool applyCodingCopies(ChannelBlock& block, const CodingOption& option);

// Copies only the tones whose source is of `sourceKind`: what follows a store of a
// tone 1 or tone 2 value.
bool applyCodingCopiesFrom(ChannelBlock& block, const CodingOption& option, ToneKind sourceKind);

// Zeroes the tone bytes of the call addresses and group calls the option does not
// use; their flags bytes stay. Returns true when a byte changed.
bool zeroUnusedEntries(ChannelBlock& block, const CodingOption& option);

} // namespace quorl
