#include "editors/channel_tab.h"

#include "base/decimal_text.h"
#include "codeplug/channel_option_lists.h"
#include "codeplug/coding_options.h"
#include "codeplug/duty_availability.h"
#include "codeplug/frequency_encoding.h"
#include "codeplug/general_block.h"
#include "codeplug/tone_encoding.h"
#include "codeplug/tone_target.h"
#include "editors/channel_texts.h"
#include "editors/frequency_entry.h"
#include "editors/reset_timer.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace quorl {

namespace txt = texts::channel;

namespace {

constexpr std::uint8_t kDutyBit = 0x10;
constexpr std::uint8_t kVibrateBit = 0x20;

// Reset functions that run on a timer: Delayed N, Timeout, Revert N and the two
// muted variants.
bool resetFunctionHasTimer(int f) {
    return f == 1 || (f >= 4 && f <= 7);
}

// The catalogue's range text with its two "%d" filled in.
std::string rangeMessage(int low, int high) {
    std::string out(txt::kFrequencyRange);
    for (int value : {low, high}) {
        const auto at = out.find("%d");
        if (at != std::string::npos)
            out.replace(at, 2, std::to_string(value));
    }
    return out;
}

} // namespace

int toneBoxIndex(ToneSlot slot) {
    switch (slot.kind) {
    case ToneKind::Tone1:
        return slot.index - 1;
    case ToneKind::Tone2:
        return kCallCount + slot.index - 1;
    case ToneKind::Group:
        break;
    }
    return 2 * kCallCount + slot.index - 1;
}

ToneSlot toneBoxSlot(int box) {
    if (box < kCallCount)
        return {ToneKind::Tone1, box + 1};
    if (box < 2 * kCallCount)
        return {ToneKind::Tone2, box - kCallCount + 1};
    return {ToneKind::Group, box - 2 * kCallCount + 1};
}

ChannelTab::ChannelTab(CodeplugState& state, EditorMessages& messages)
    : state_(state), messages_(messages) {}

std::uint8_t ChannelTab::bandCode() const {
    return GeneralBlock(state_.editImage).bandCode();
}

void ChannelTab::create() {
    ToneTarget::process() = ToneTarget{};
    toneSystemChanged_ = false;
    const int count =
        std::min<int>(GeneralBlock(state_.image).channelCount(), layout::kChannelCount);
    // Written into both images so that a later commit of the edit image cannot
    // undo it.
    for (int ch = 0; ch < count; ++ch) {
        ChannelBlock(state_.image, ch).setLengthByte(layout::kChannelLength);
        ChannelBlock(state_.editImage, ch).setLengthByte(layout::kChannelLength);
    }
}

void ChannelTab::setCurrentChannel(int channel) {
    channel_ = std::clamp(channel, 0, layout::kChannelCount - 1);
}

void ChannelTab::storeEntryFlags(int row, std::uint8_t flags) {
    auto b = block();
    if (b.entryFlags(row) != flags) {
        b.setEntryFlags(row, flags);
        state_.modified = true;
    }
}

void ChannelTab::updateDutyState() {
    enterHandled_ = false;
    dutyEnabled = dutyAvailable(state_.editImage, channel_);
    dutyLabel = std::string(dutyEnabled ? txt::kDutyEnabled : txt::kDutyDisabled);
    if (dutyEnabled)
        return;
    // Without a switch that can take the pager off duty every entry is on duty.
    for (int row = 0; row < kEntryRows; ++row) {
        rows[static_cast<std::size_t>(row)].duty = 1;
        storeEntryFlags(row, static_cast<std::uint8_t>(block().entryFlags(row) | kDutyBit));
    }
}

void ChannelTab::showEntry(int row) {
    std::uint8_t flags = block().entryFlags(row);
    if (CallFlags::alert(flags) >= options::kAlert.size()) {
        flags = static_cast<std::uint8_t>(flags & 0xF0);
        storeEntryFlags(row, flags);
    }
    auto& r = rows[static_cast<std::size_t>(row)];
    r.alert = CallFlags::alert(flags);
    r.vibrate = CallFlags::pulsedVibrate(flags) ? 1 : 0;
    r.duty = CallFlags::onDuty(flags) ? 1 : 0;
}

void ChannelTab::showCallTones() {
    const auto b = block();
    for (int call = 1; call <= kCallCount; ++call) {
        for (ToneKind k : {ToneKind::Tone1, ToneKind::Tone2}) {
            const auto t = b.tone({k, call}).tenthsHz;
            auto& bx = box({k, call});
            bx.text = bx.accepted = t == 0 ? std::string() : formatTone(t);
        }
        showEntry(call - 1);
    }
}

void ChannelTab::showGroupTones() {
    const auto b = block();
    for (int g = 1; g <= kGroupCount; ++g) {
        const auto t = b.groupTone(g).tenthsHz;
        auto& bx = box({ToneKind::Group, g});
        bx.text = bx.accepted = t == 0 ? std::string() : formatTone(t);
        showEntry(kCallCount + g - 1);
    }
}

void ChannelTab::loadChannel() {
    auto b = block();
    const auto base = b.base();
    // Repair what no combo could show.
    const auto repair = [&](Address a, std::uint8_t value) {
        state_.editImage.set(a, value);
        state_.modified = true;
    };
    if (b.toneSystem() > 4)
        repair(base + 0x09, static_cast<std::uint8_t>((state_.editImage.at(base + 0x09) & 0xF8) |
                                                      options::kToneSystemUser));
    if (b.codingOption() > 10)
        repair(base + 0x06, options::kCodingOptionNone);
    if (b.squelchLevel() > 4)
        repair(base + 0x07, 2);

    frequencyText = frequencyAccepted =
        formatReceiveFrequency(b.synthWord(), b.fraction(), b.stepCode(), bandCode());
    bandwidth = b.wideBandwidth() ? 1 : 0;
    toneSystem = b.toneSystem();
    resetFunction = b.resetFunction();
    timerVisible = resetFunctionHasTimer(resetFunction);
    timerText = timerAccepted = formatResetTimer(b.resetTimer());
    codingOption = b.codingOption();
    squelch = b.squelchLevel();
    toneSystemChanged_ = false;
    applyCodingOption();
}

void ChannelTab::applyCodingOption() {
    const CodingOption& option = quorl::codingOption(codingOption);
    const bool userTones = toneSystem == static_cast<int>(options::kToneSystemUser);

    // 1. Rows, labels, own and copied boxes.
    for (int row = 0; row < kEntryRows; ++row) {
        auto& r = rows[static_cast<std::size_t>(row)];
        r.visible = usesRow(option, row);
        r.label.clear();
        if (row < 2)
            r.label = std::string(option.callLabels[static_cast<std::size_t>(row)]);
        else if (row == kCallCount || row == kCallCount + 1)
            r.label = std::string(option.groupLabels[static_cast<std::size_t>(row - kCallCount)]);
    }
    for (int i = 0; i < kToneBoxes; ++i) {
        const ToneSlot s = toneBoxSlot(i);
        const bool own = !copySource(option, s);
        const int row = s.kind == ToneKind::Group ? kCallCount + s.index - 1 : s.index - 1;
        tones[static_cast<std::size_t>(i)].enabled = own;
        tones[static_cast<std::size_t>(i)].pickerVisible =
            own && !userTones && rows[static_cast<std::size_t>(row)].visible;
    }
    const auto ownUsedSlots = [&] {
        std::vector<ToneSlot> out;
        for (int call = 1; call <= option.calls; ++call)
            for (ToneKind k : {ToneKind::Tone1, ToneKind::Tone2})
                if (!copySource(option, {k, call}))
                    out.push_back({k, call});
        for (int g = 1; g <= option.groups; ++g)
            if (!copySource(option, {ToneKind::Group, g}))
                out.push_back({ToneKind::Group, g});
        return out;
    };

    // 2. A new tone system: every own tone snaps to the new table.
    if (toneSystemChanged_)
        for (ToneSlot s : ownUsedSlots())
            validateTone(s);

    // 3. Bring the copies up to date, then show them; unused rows show nothing.
    for (const ToneCopy& c : option.copies)
        if (box(c.target).text != box(c.source).text)
            validateTone(c.source);
    for (const ToneCopy& c : option.copies) {
        box(c.target).text = box(c.source).text;
        box(c.target).accepted = box(c.source).text;
    }
    for (int i = 0; i < kToneBoxes; ++i) {
        const ToneSlot s = toneBoxSlot(i);
        const int row = s.kind == ToneKind::Group ? kCallCount + s.index - 1 : s.index - 1;
        if (!usesRow(option, row))
            tones[static_cast<std::size_t>(i)].text =
                tones[static_cast<std::size_t>(i)].accepted = {};
    }

    // 4. The pager must answer at least one call while on duty.
    if (dutyEnabled) {
        bool anyOn = false;
        for (int row = 0; row < kEntryRows; ++row)
            anyOn = anyOn || (usesRow(option, row) && CallFlags::onDuty(block().entryFlags(row)));
        if (!anyOn) {
            messages_.warning(txt::kDutyRequired, txt::kDutyCaption);
            rows[0].duty = 1;
            storeEntryFlags(0, static_cast<std::uint8_t>(block().entryFlags(0) | kDutyBit));
        }
    }

    // 5.-7. The image follows: copies, the option byte, unused tones cleared.
    auto b = block();
    bool changed = applyCodingCopies(b, option);
    const auto optionByte = static_cast<std::uint8_t>(std::clamp(codingOption, 0, 10));
    b.setCodingOption(optionByte);
    if (ConstChannelBlock(state_.image, channel_).codingOption() != optionByte)
        changed = true;
    changed = zeroUnusedEntries(b, option) || changed;
    if (changed)
        state_.modified = true;
}

bool ChannelTab::validateFrequency(bool suppressOutOfBandWarning) {
    const FrequencyCheck check =
        checkFrequency(frequencyText, state_.bandLowMHz(), state_.bandHighMHz(), bandCode());
    if (check.outcome == FrequencyCheck::Outcome::OutOfRange) {
        messages_.warning(rangeMessage(check.lowLimit, check.highLimit),
                          txt::kFrequencyRangeCaption);
        frequencyText = frequencyAccepted;
        return false;
    }
    if (check.outOfBand && !suppressOutOfBandWarning)
        messages_.warning(txt::kOutOfBand, txt::kOutOfBandCaption);
    if (check.outcome == FrequencyCheck::Outcome::OffGrid) {
        messages_.warning(txt::kInvalidFrequency, txt::kFrequencyCaption);
        frequencyText = frequencyAccepted;
        return false;
    }
    block().setFrequencyWord(check.setting.word, check.setting.fraction, check.setting.stepCode);
    state_.modified = true;
    frequencyText = frequencyAccepted = check.text;
    return true;
}

bool ChannelTab::validateResetTimer() {
    const auto count = resetTimerCount(parseDecimalText(timerText).value_or(0.0));
    if (!count) {
        messages_.warning(txt::kResetTimerRange, txt::kAppCaption);
        timerText = timerAccepted;
        return false;
    }
    block().setResetTimer(*count);
    state_.modified = true;
    timerText = timerAccepted = formatResetTimer(*count);
    return true;
}

void ChannelTab::stepResetTimer(bool up) {
    const double shown = parseDecimalText(timerText).value_or(0.0);
    const int shownMs = shown > 1e6 ? -1 : static_cast<int>(std::lround(shown * 1000.0));
    const int m = stepResetTimerMs(shownMs, up);
    const auto count = static_cast<std::uint8_t>(m / 500);
    block().setResetTimer(count);
    state_.modified = true;
    timerText = timerAccepted = formatResetTimer(count);
}

void ChannelTab::setBandwidth(int index) {
    enterHandled_ = false;
    bandwidth = index;
    block().setWideBandwidth(index == 1);
    state_.modified = true;
}

void ChannelTab::setSquelch(int position) {
    squelch = position;
    block().setSquelchLevel(static_cast<std::uint8_t>(position & 7));
    state_.modified = true;
}

void ChannelTab::setToneSystem(int index, bool refuseCollisions) {
    // A new table snaps every own tone; two tones of one call may land on the same
    // entry (GE's top 967.5 takes every tone above it). Such a change is refused
    // whole, with the tones it would have moved.
    const CodeplugImage before = state_.editImage;
    const auto tonesBefore = tones;
    const auto rowsBefore = rows;
    const int systemBefore = toneSystem;
    const bool changedBefore = toneSystemChanged_;
    toneSystem = index;
    block().setToneSystem(static_cast<std::uint8_t>(index));
    state_.modified = true;
    toneSystemChanged_ = true;
    applyCodingOption();
    if (!refuseCollisions)
        return;
    const std::string collision = sameCallCollision(
        ConstChannelBlock(before, channel_), ConstChannelBlock(state_.editImage, channel_),
        quorl::codingOption(codingOption).calls,
        options::nameOf(options::kToneSystem, static_cast<std::size_t>(index)));
    if (collision.empty())
        return;
    state_.editImage = before;
    tones = tonesBefore;
    rows = rowsBefore;
    toneSystem = systemBefore;
    toneSystemChanged_ = changedBefore;
    messages_.warning(std::string(txt::kToneSpacing) + collision, txt::kToneCaption);
}

void ChannelTab::setCodingOption(int index) {
    codingOption = index;
    applyCodingOption();
}

void ChannelTab::setResetFunction(int index) {
    resetFunction = index;
    block().setResetFunction(static_cast<std::uint8_t>(index));
    state_.modified = true;
    timerVisible = resetFunctionHasTimer(index);
}

void ChannelTab::setAlert(int row, int index) {
    rows[static_cast<std::size_t>(row)].alert = index;
    const auto flags = block().entryFlags(row);
    block().setEntryFlags(row, static_cast<std::uint8_t>((flags & 0xF0) | (index & 0x0F)));
    state_.modified = true;
}

void ChannelTab::setVibrate(int row, int index) {
    rows[static_cast<std::size_t>(row)].vibrate = index;
    const auto flags = block().entryFlags(row);
    block().setEntryFlags(
        row, static_cast<std::uint8_t>((flags & ~kVibrateBit) | (index == 1 ? kVibrateBit : 0)));
    state_.modified = true;
}

bool ChannelTab::otherDutyOn(int row) const {
    const CodingOption& option = quorl::codingOption(codingOption);
    const ConstChannelBlock b(state_.editImage, channel_);
    for (int other = 0; other < kEntryRows; ++other)
        if (other != row && usesRow(option, other) && CallFlags::onDuty(b.entryFlags(other)))
            return true;
    return false;
}

void ChannelTab::setDuty(int row, int index) {
    auto& r = rows[static_cast<std::size_t>(row)];
    r.duty = index;
    if (index == 0 && !otherDutyOn(row)) {
        messages_.warning(txt::kDutyRequired, txt::kDutyCaption);
        r.duty = 1;
    }
    const auto flags = block().entryFlags(row);
    block().setEntryFlags(
        row, static_cast<std::uint8_t>((flags & ~kDutyBit) | (r.duty == 1 ? kDutyBit : 0)));
    state_.modified = true;
}

bool ChannelTab::enterPressed(Box which, ToneSlot slot) {
    enterHandled_ = true;
    switch (which) {
    case Box::Frequency:
        return validateFrequency();
    case Box::Timer:
        return validateResetTimer();
    case Box::Tone:
        break;
    }
    toneSystemChanged_ = false;
    return validateTone(slot);
}

void ChannelTab::focusLost(Box which, ToneSlot slot) {
    if (which == Box::Tone)
        // A typed tone always gets the full checks, even right after a tone
        // system change.
        toneSystemChanged_ = false;
    if (enterHandled_)
        return;
    switch (which) {
    case Box::Frequency:
        validateFrequency();
        break;
    case Box::Timer:
        validateResetTimer();
        break;
    case Box::Tone:
        validateTone(slot);
        break;
    }
}

} // namespace quorl
