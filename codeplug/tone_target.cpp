#include "codeplug/tone_target.h"

#include "codeplug/coding_options.h"
#include "codeplug/tone_encoding.h"

namespace quorl {
namespace {

bool validCall(int call) {
    return call >= 1 && call <= kCallCount;
}
bool validGroup(int g) {
    return g >= 1 && g <= kGroupCount;
}

std::string store(CodeplugState& state, int channel, int index, ToneKind kind,
                  std::uint16_t tenthsHz) {
    ChannelBlock block(state.editImage, channel);
    // An index outside the entries is treated as "not set" rather than written
    // into a neighbouring entry.
    const bool inRange = kind == ToneKind::Group ? validGroup(index) : validCall(index);
    if (index != 0 && inRange)
        block.setTone({kind, index}, encodeTone(tenthsHz));
    if (kind != ToneKind::Group)
        applyCodingCopiesFrom(block, codingOption(block.codingOption()), kind);
    state.modified = true;
    return formatTone(tenthsHz);
}

} // namespace

ToneTarget ToneTarget::forSlot(ToneSlot slot) {
    ToneTarget t;
    switch (slot.kind) {
    case ToneKind::Tone1:
        t.tone1Call = slot.index;
        break;
    case ToneKind::Tone2:
        t.tone2Call = slot.index;
        break;
    case ToneKind::Group:
        t.groupCall = slot.index;
        break;
    }
    return t;
}

ToneTarget& ToneTarget::process() {
    static ToneTarget target;
    return target;
}

std::string storeTone1(CodeplugState& state, int channel, const ToneTarget& target,
                       std::uint16_t tenthsHz) {
    return store(state, channel, target.tone1Call, ToneKind::Tone1, tenthsHz);
}

std::string storeTone2(CodeplugState& state, int channel, const ToneTarget& target,
                       std::uint16_t tenthsHz) {
    return store(state, channel, target.tone2Call, ToneKind::Tone2, tenthsHz);
}

std::string storeGroupTone(CodeplugState& state, int channel, const ToneTarget& target,
                           std::uint16_t tenthsHz) {
    return store(state, channel, target.groupCall, ToneKind::Group, tenthsHz);
}

StoredTone targetTone(const CodeplugImage& image, int channel, const ToneTarget& target) {
    const ConstChannelBlock block(image, channel);
    if (validCall(target.tone1Call))
        return block.callTone(target.tone1Call, 1);
    if (validCall(target.tone2Call))
        return block.callTone(target.tone2Call, 2);
    if (validGroup(target.groupCall))
        return block.groupTone(target.groupCall);
    return {};
}

} // namespace quorl
