#include "editors/model_options_tab.h"

#include "base/decimal_text.h"
#include "codeplug/function_switch_block.h"
#include "codeplug/model_options_block.h"
#include "editors/user_data_texts.h"

#include <cmath>

namespace quorl {

namespace {

// The field each list edits, in the order of ModelOptionList.
constexpr ModelOptionField kFields[kModelOptionListCount] = {
    ModelOptionField::StoredVoiceDuration,
    ModelOptionField::SwitchAnnouncements,
    ModelOptionField::FixedVolumePageAlert,
    ModelOptionField::FixedAlertDuration,
    ModelOptionField::UnreadMessageReminder,
    ModelOptionField::Privacy,
    ModelOptionField::AlwaysOn,
    ModelOptionField::MaleAnnouncements,
    ModelOptionField::PriorityToneAlert,
    ModelOptionField::BatteryLevelAnnouncement,
    ModelOptionField::AutoDeletion,
};

// Items "Off", "On", "On & On Reset", "On Reset Only" stand for codes 0, 2, 3, 1.
constexpr int kAnnouncementCodeOfItem[4] = {0, 2, 3, 1};
constexpr int kAnnouncementItemOfCode[4] = {0, 3, 1, 2};

constexpr int kScanStepMs = 8, kScanMin = 8, kScanMax = 255;      // x 8 ms
constexpr int kAlertStepMs = 480, kAlertMin = 1, kAlertMax = 255; // x 480 ms

// One step of a spin button over a box showing seconds, from the text the box
// holds now: whole steps of `stepMs` between `min` and `max` steps, wrapping at
// both ends. A box that holds no number or one outside the range counts as 0,
// from which up gives the minimum and down the maximum. Returns the new value in
// steps.
int spinSteps(std::string_view shown, bool up, int stepMs, int min, int max) {
    const auto seconds = parseDecimalText(shown);
    const double ms = seconds ? std::round(*seconds * 1000.0) : 0.0;
    int m = 0;
    if (ms >= min * stepMs && ms <= max * stepMs) {
        m = static_cast<int>(ms);
        m -= m % stepMs;
    }
    int next = 0;
    if (m == 0)
        next = up ? min * stepMs : max * stepMs;
    else if (up)
        next = m >= max * stepMs ? min * stepMs : m + stepMs;
    else
        next = m <= min * stepMs ? max * stepMs : m - stepMs;
    return next / stepMs;
}

} // namespace

std::string formatPriorityScan(int stored) {
    return decimalText(stored * 8 / 1000.0, 3);
}

std::string formatAlertDuration(int stored) {
    return decimalText(stored * 480 / 1000.0, 2);
}

void ModelOptionsTab::open() {
    CodeplugImage& img = state_.image;
    // An unknown stored voice duration shows as "Dynamic" and becomes code 4.
    if (ConstModelOptionsBlock(img).field(ModelOptionField::StoredVoiceDuration) >
        kStoredVoiceDynamic) {
        for (CodeplugImage* i : {&state_.image, &state_.editImage})
            ModelOptionsBlock(*i).setField(ModelOptionField::StoredVoiceDuration,
                                           kStoredVoiceDynamic);
    }
    const ConstModelOptionsBlock options(img);
    for (int l = 0; l < kModelOptionListCount; ++l)
        selection_[l] = options.field(kFields[l]);
    selection_[static_cast<int>(ModelOptionList::SwitchAnnouncements)] =
        kAnnouncementItemOfCode[options.field(ModelOptionField::SwitchAnnouncements)];
    scanText_ = formatPriorityScan(options.priorityScanTime());
    alertText_ = formatAlertDuration(options.alertDuration());
    ModelOptionsBlock(img).setLengthBytes();
    applyPriorityScanRule();
}

void ModelOptionsTab::applyPriorityScanRule() {
    scanEnabled_ = ConstFunctionSwitchBlock(state_.editImage).anyInMode(switch_mode::kPriorityScan);
}

void ModelOptionsTab::select(ModelOptionList list, int item) {
    const int l = static_cast<int>(list);
    if (item < 0)
        return;
    int code = item;
    if (list == ModelOptionList::SwitchAnnouncements) {
        if (item > 3)
            return;
        code = kAnnouncementCodeOfItem[item];
    }
    const auto bits = modelOptionBits(kFields[l]);
    if (code > (bits.mask >> bits.shift))
        return;
    selection_[l] = item;
    ModelOptionsBlock(state_.editImage).setField(kFields[l], static_cast<std::uint8_t>(code));
    state_.modified = true;
}

void ModelOptionsTab::storePriorityScan(int value) {
    ModelOptionsBlock(state_.editImage).setPriorityScanTime(static_cast<std::uint8_t>(value));
    scanText_ = formatPriorityScan(value);
}

void ModelOptionsTab::storeAlertDuration(int value) {
    ModelOptionsBlock(state_.editImage).setAlertDuration(static_cast<std::uint8_t>(value));
    alertText_ = formatAlertDuration(value);
}

void ModelOptionsTab::commitPriorityScanText(const std::string& typed) {
    state_.modified = true;
    // Anything but digits and one point ("nan", "1e3", "-1") is no value at all, and
    // the range check comes before any conversion to a whole number.
    const auto seconds = parseDecimalText(typed);
    if (!seconds || *seconds < 0.064 || *seconds > 2.04) {
        messages_.warning(texts::kPriorityScanRangeWarning, texts::kPriorityScanCaption);
        return; // the box gets its last valid text back
    }
    const auto stored = static_cast<int>(nearestSteps(*seconds * 1000.0, kScanStepMs));
    storePriorityScan(stored);
    if (stored > 64 && !slowWarningShown_) {
        messages_.warning(texts::kPriorityScanSlowWarning, texts::kPriorityScanCaption);
        slowWarningShown_ = true;
    }
}

void ModelOptionsTab::commitAlertDurationText(const std::string& typed) {
    state_.modified = true;
    const auto seconds = parseDecimalText(typed);
    if (!seconds || *seconds < 0.48 || *seconds > 122.4) {
        messages_.warning(texts::kAlertDurationRangeWarning, texts::kAlertDurationCaption);
        return;
    }
    storeAlertDuration(static_cast<int>(nearestSteps(*seconds * 1000.0, kAlertStepMs)));
}

void ModelOptionsTab::spinPriorityScan(bool up, std::string_view shown) {
    state_.modified = true;
    const int stored = spinSteps(shown, up, kScanStepMs, kScanMin, kScanMax);
    storePriorityScan(stored);
    if (stored >= 65)
        messages_.warning(texts::kPriorityScanSlowWarning, texts::kPriorityScanCaption);
}

void ModelOptionsTab::spinAlertDuration(bool up, std::string_view shown) {
    state_.modified = true;
    storeAlertDuration(spinSteps(shown, up, kAlertStepMs, kAlertMin, kAlertMax));
}

bool ModelOptionsTab::acceptsCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}

} // namespace quorl
