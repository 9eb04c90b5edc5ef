#include "textplug/model_option_lists.h"

#include "editors/user_data_texts.h"
#include "textplug/text_keys.h"

#include <array>

namespace quorl::textplug {

namespace {

using L = ModelOptionList;
namespace t = texts;

// The keys are the labels without their colon; constexpr string_views of them
// are kept here so the table can be constant.
constexpr std::string_view strip(std::string_view label) {
    while (!label.empty() && (label.back() == ' ' || label.back() == ':'))
        label.remove_suffix(1);
    return label;
}

const std::array<ModelOptionField, 12> kFields{{
    {strip(t::kStoredVoiceLabel), L::StoredVoiceDuration, t::kStoredVoiceItems},
    {strip(t::kSwitchAnnouncementsLabel), L::SwitchAnnouncements, t::kSwitchAnnouncementItems},
    {strip(t::kFixedVolumeLabel), L::FixedVolumePageAlert, t::kOffOn},
    {strip(t::kAlertDurationLabel), L::AlertDurationMode, t::kAlertDurationModes},
    {keys::kAlertDurationTime, std::nullopt, {}, false},
    {strip(t::kUnreadReminderLabel), L::UnreadMessageReminder, t::kOffOn},
    {strip(t::kPrivacyLabel), L::Privacy, t::kOffOn},
    {strip(t::kAlwaysOnLabel), L::AlwaysOn, t::kOffOn},
    {strip(t::kPriorityScanTimeLabel), std::nullopt, {}, true},
    {strip(t::kAnnouncementsTypeLabel), L::AnnouncementsType, t::kAnnouncementTypes},
    {strip(t::kPriorityToneLabel), L::PriorityToneAlert, t::kOffOn},
    {strip(t::kBatteryLevelLabel), L::BatteryLevelAnnouncement, t::kOffOn},
}};

} // namespace

std::span<const ModelOptionField> modelOptionFields() {
    return kFields;
}

} // namespace quorl::textplug
