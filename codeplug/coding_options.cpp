#include "codeplug/coding_options.h"

#include "codeplug/channel_option_lists.h"

#include <algorithm>

namespace quorl {
namespace {

constexpr ToneSlot call1(int tone) {
    return {tone == 1 ? ToneKind::Tone1 : ToneKind::Tone2, 1};
}
constexpr ToneSlot call2(int tone) {
    return {tone == 1 ? ToneKind::Tone1 : ToneKind::Tone2, 2};
}
constexpr ToneSlot group(int g) {
    return {ToneKind::Group, g};
}

// A is Call 1 tone 1, B Call 1 tone 2, C the third distinct tone.
constexpr std::array<ToneCopy, 3> kR468{
    {{call2(1), call1(1)}, {group(1), call1(2)}, {group(2), call2(2)}}};
constexpr std::array<ToneCopy, 2> kR130{{{call2(1), call1(1)}, {group(1), call2(2)}}};
constexpr std::array<ToneCopy, 1> kR97{{{call2(1), call1(1)}}};
constexpr std::array<ToneCopy, 1> kLongB{{{group(1), call1(2)}}};
constexpr std::array<ToneCopy, 1> kR177{{{call2(2), call1(2)}}};
constexpr std::array<ToneCopy, 2> kR60{{{call2(2), call1(2)}, {group(1), call1(2)}}};
constexpr std::array<ToneCopy, 1> kR621{{{group(1), call1(1)}}};

const std::array<CodingOption, kCodingOptionCount> kOptions{{
    {options::kCodingOption[0], 2, 2, {"A - B", "A - C"}, {"Long B", "Long C"}, kR468},
    {options::kCodingOption[1], 2, 1, {"A - B", "A - C"}, {"Long C", ""}, kR130},
    {options::kCodingOption[2], 2, 0, {"A - B", "A - C"}, {"", ""}, kR97},
    {options::kCodingOption[3], 1, 0, {"A - B", ""}, {"", ""}, {}},
    {options::kCodingOption[4], 1, 2, {"A - B", ""}, {"Long B", "Long C"}, kLongB},
    {options::kCodingOption[5], 1, 1, {"A - B", ""}, {"Long B", ""}, kLongB},
    {options::kCodingOption[6], 1, 1, {"A - B", ""}, {"Long C", ""}, {}},
    {options::kCodingOption[7], 2, 0, {"A - B", "C - B"}, {"", ""}, kR177},
    {options::kCodingOption[8], 2, 1, {"A - B", "C - B"}, {"Long B", ""}, kR60},
    {options::kCodingOption[9], 1, 1, {"A - B", ""}, {"Long A", ""}, kR621},
    {options::kCodingOption[10], kCallCount, kGroupCount, {"", ""}, {"", ""}, {}},
}};

bool copyTone(ChannelBlock& block, const ToneCopy& c) {
    const StoredTone from = block.tone(c.source);
    if (block.tone(c.target) == from)
        return false;
    block.setTone(c.target, from);
    return true;
}

} // namespace

const CodingOption& codingOption(int index) {
    return kOptions[static_cast<std::size_t>(std::clamp(index, 0, kCodingOptionCount - 1))];
}

std::optional<ToneSlot> copySource(const CodingOption& option, ToneSlot slot) {
    for (const ToneCopy& c : option.copies)
        if (c.target == slot)
            return c.source;
    return std::nullopt;
}

bool usesRow(const CodingOption& option, int row) {
    return row < kCallCount ? row < option.calls : row - kCallCount < option.groups;
}

bool applyCodingCopies(ChannelBlock& block, const CodingOption& option) {
    bool changed = false;
    for (const ToneCopy& c : option.copies)
        changed = copyTone(block, c) || changed;
    return changed;
}

bool applyCodingCopiesFrom(ChannelBlock& block, const CodingOption& option, ToneKind sourceKind) {
    bool changed = false;
    for (const ToneCopy& c : option.copies)
        if (c.source.kind == sourceKind)
            changed = copyTone(block, c) || changed;
    return changed;
}

bool zeroUnusedEntries(ChannelBlock& block, const CodingOption& option) {
    bool changed = false;
    const auto clear = [&](ToneSlot s) {
        if (block.tone(s) != StoredTone{}) {
            block.setTone(s, StoredTone{});
            changed = true;
        }
    };
    for (int call = option.calls + 1; call <= kCallCount; ++call) {
        clear({ToneKind::Tone1, call});
        clear({ToneKind::Tone2, call});
    }
    for (int g = option.groups + 1; g <= kGroupCount; ++g)
        clear({ToneKind::Group, g});
    return changed;
}

} // namespace quorl
