// Tone entry of the channel tab: typed tones, picked tones and clearing.
#include "base/decimal_text.h"
#include "codeplug/coding_options.h"
#include "codeplug/tone_encoding.h"
#include "codeplug/tone_target.h"
#include "editors/channel_tab.h"
#include "editors/channel_texts.h"
#include "editors/tone_partners.h"

#include <cmath>

namespace quorl {

namespace txt = texts::channel;

namespace {
constexpr double kLowestTone = 280.0;
constexpr double kHighestTone = 3400.0;

ToneSlot otherToneOfCall(ToneSlot s) {
    return {s.kind == ToneKind::Tone1 ? ToneKind::Tone2 : ToneKind::Tone1, s.index};
}
} // namespace

std::string toneSlotName(ToneSlot s) {
    if (s.kind == ToneKind::Group)
        return "Group Call " + std::to_string(s.index);
    return "Call " + std::to_string(s.index) + (s.kind == ToneKind::Tone1 ? " Tone 1" : " Tone 2");
}

std::string sameCallCollision(const ConstChannelBlock& before, const ConstChannelBlock& after,
                              int calls, std::string_view systemName) {
    std::string out;
    for (int call = 1; call <= calls; ++call) {
        const double a = after.callTone(call, 1).tenthsHz / 10.0;
        const double b = after.callTone(call, 2).tenthsHz / 10.0;
        const bool moved1 = before.callTone(call, 1) != after.callTone(call, 1);
        const bool moved2 = before.callTone(call, 2) != after.callTone(call, 2);
        if (a == 0 || b == 0 || !tooClose(a, b) || !(moved1 || moved2))
            continue;
        const auto moved = [&](int tone) {
            const auto was = before.callTone(call, tone).tenthsHz;
            const auto now = after.callTone(call, tone).tenthsHz;
            return was == now ? formatTone(now) : formatTone(was) + " becomes " + formatTone(now);
        };
        out += "\r\nCall " + std::to_string(call) + " under " + std::string(systemName) +
               ": Tone 1 " + moved(1) + ", Tone 2 " + moved(2) + ". ";
    }
    return out;
}

std::string ChannelTab::copyCollision(const CodingOption& option, ToneSlot slot,
                                      double tone) const {
    const auto hz = [](double f) {
        return formatTone(static_cast<std::uint16_t>(nearestSteps(f, 0.1)));
    };
    for (const ToneCopy& c : option.copies) {
        if (!(c.source == slot) || c.target.kind == ToneKind::Group)
            continue;
        const ToneSlot partner = otherToneOfCall(c.target);
        const double o =
            parseDecimalText(tones[static_cast<std::size_t>(toneBoxIndex(partner))].text)
                .value_or(0.0);
        if (o != 0 && tooClose(tone, o))
            return "\r\n" + toneSlotName(c.target) + " follows " + toneSlotName(slot) + " under " +
                   std::string(option.name) + ": " + hz(tone) + " next to " +
                   toneSlotName(partner) + " " + hz(o) + ". ";
    }
    return {};
}

bool ChannelTab::spacingViolated(ToneSlot slot, double tone) const {
    if (slot.kind == ToneKind::Group)
        return false;
    const ToneSlot other = otherToneOfCall(slot);
    const double o =
        parseDecimalText(tones[static_cast<std::size_t>(toneBoxIndex(other))].text).value_or(0.0);
    return o != 0 && tooClose(tone, o);
}

void ChannelTab::refreshCopies() {
    const CodingOption& option = quorl::codingOption(codingOption);
    for (const ToneCopy& c : option.copies)
        box(c.target).text = box(c.target).accepted = box(c.source).text;
}

bool ChannelTab::validateTone(ToneSlot slot) {
    ToneBoxView& bx = box(slot);

    // 1. An empty box clears the tone; its copies stay until the option is applied.
    if (bx.text.empty()) {
        block().setTone(slot, StoredTone{});
        state_.modified = true;
        bx.accepted.clear();
        return true;
    }

    // 2. The decoder's range.
    const double typed = parseDecimalText(bx.text).value_or(0.0);
    if (typed < kLowestTone || typed > kHighestTone) {
        messages_.warning(txt::kToneRange, txt::kToneCaption);
        bx.text = bx.accepted;
        return false;
    }

    // 3. Snap to the tone system's table.
    double t = typed;
    if (const ToneTable* table = toneTableForSystem(toneSystem))
        if (const auto i = snapIndex(*table, typed))
            t = entryHz(table->entries[*i]);

    // 4. The two tones of one call address must be told apart.
    if (!toneSystemChanged_ && spacingViolated(slot, t)) {
        messages_.warning(txt::kToneSpacing, txt::kToneCaption);
        bx.text = bx.accepted;
        return false;
    }

    // 5. Tones that must agree with a partner are made equal to it.
    const ConstChannelBlock current(state_.editImage, channel_);
    if (const auto p = matchPartner(current, codingOption, slot, typed, t, toneSystemChanged_))
        t = *p;

    // 4b. The copies this tone makes are tones of other calls: the rule holds for
    // them too (R468 copies Call 1 Tone 1 into Call 2, whose Tone 2 may equal it).
    if (const std::string collision =
            toneSystemChanged_ ? std::string()
                               : copyCollision(quorl::codingOption(codingOption), slot, t);
        !collision.empty()) {
        messages_.warning(std::string(txt::kToneSpacing) + collision, txt::kToneCaption);
        bx.text = bx.accepted;
        return false;
    }

    // 6. Store through the target, which also makes the option's copies.
    const auto tenths = static_cast<std::uint16_t>(nearestSteps(t, 0.1));
    ToneTarget& target = ToneTarget::process();
    target = ToneTarget::forSlot(slot);
    std::string text;
    switch (slot.kind) {
    case ToneKind::Tone1:
        text = storeTone1(state_, channel_, target, tenths);
        break;
    case ToneKind::Tone2:
        text = storeTone2(state_, channel_, target, tenths);
        break;
    case ToneKind::Group:
        text = storeGroupTone(state_, channel_, target, tenths);
        break;
    }
    bx.text = bx.accepted = text;
    refreshCopies();
    return true;
}

void ChannelTab::toneTextEdited(ToneSlot slot, const std::string& text) {
    // Changed text needs validating again, however it got in (a mouse paste too).
    enterHandled_ = false;
    box(slot).text = text;
    if (parseDecimalText(text).value_or(0.0) > kHighestTone) {
        enterHandled_ = true;
        toneSystemChanged_ = false;
        validateTone(slot);
    }
}

const ToneTable* ChannelTab::beginPick(ToneSlot slot) {
    ToneTarget::process() = ToneTarget::forSlot(slot);
    state_.modified = true;
    return toneTableForSystem(toneSystem);
}

void ChannelTab::finishPick(ToneSlot slot, bool accepted) {
    if (accepted) {
        const auto t = block().tone(slot).tenthsHz;
        box(slot).text = box(slot).accepted = t == 0 ? std::string() : formatTone(t);
        refreshCopies();
    }
    // The picked tone stays, but the user is told when it is too near its partner
    // in the same call address.
    if (slot.kind != ToneKind::Group) {
        const double t = block().tone(slot).tenthsHz / 10.0;
        const double o = block().tone(otherToneOfCall(slot)).tenthsHz / 10.0;
        if (t != 0 && o != 0 && tooClose(t, o))
            messages_.warning(txt::kToneSpacing, txt::kToneCaption);
    }
}

void ChannelTab::clearAllTones() {
    auto b = block();
    for (int i = 0; i < kToneBoxes; ++i) {
        tones[static_cast<std::size_t>(i)].text.clear();
        tones[static_cast<std::size_t>(i)].accepted.clear();
        b.setTone(toneBoxSlot(i), StoredTone{});
    }
    state_.modified = true;
}

} // namespace quorl
