#pragma once

#include "codeplug/function_switch_names.h"

#include <array>
#include <string_view>

// Texts of the User Data window and its General, Model Options and Function
// Switches tabs, used verbatim.
namespace quorl::texts {

inline constexpr std::string_view kUserDataTitle = "User Data";
inline constexpr std::string_view kViewCustomAudio = "View Custom Audio";
inline constexpr std::array<std::string_view, 8> kTabLabels{
    "General ",    "Model Options ", "Function Switches ", "Channel F1 ",
    "Channel F2 ", "Channel F3 ",    "Channel F4 ",        "Channel F5 "};

// General tab.
inline constexpr std::string_view kBandSplitLabel = "Band Split Range (MHz) :";
inline constexpr std::string_view kModelNumberLabel = "Model Number :";
inline constexpr std::string_view kSerialNumberLabel = "Serial Number :";
inline constexpr std::string_view kTanapaLabel = "Tanapa Number :";
inline constexpr std::string_view kIfLabel = "IF (MHz) :";
inline constexpr std::string_view kTcxoLabel = "TCXO Type (MHz) :";
inline constexpr std::string_view kFirmwareLabel = "Firmware Version :";
inline constexpr std::string_view kCodeplugVersionLabel = "Codeplug Version :";
inline constexpr std::string_view kRegionLabel = "Region Value :";
inline constexpr std::string_view kChannelTypeLabel = "Channel Type :";
inline constexpr std::array<std::string_view, 4> kRegions{"APAC", "LACR", "NAG", "EMEA"};
inline constexpr std::array<std::string_view, 2> kChannelTypes{"Single Channel", "Five Channel"};
inline constexpr std::array<std::string_view, 5> kBandSplits{
    "", "143.000000 ~ 174.000000", "406.000000 ~ 430.000000", "450.000000 ~ 486.000000",
    "476.000000 ~ 512.000000"};
inline constexpr std::string_view kTcxo128 = "12.800000";
inline constexpr std::string_view kTcxo134 = "13.400000";

// Model Options tab.
inline constexpr std::string_view kStoredVoiceLabel = "Stored Voice Duration :";
inline constexpr std::string_view kSwitchAnnouncementsLabel = "Function Switch Announcements :";
inline constexpr std::string_view kFixedVolumeLabel = "Fixed Volume Page Alert :";
inline constexpr std::string_view kAlertDurationLabel = "Pager Alert Duration :";
inline constexpr std::string_view kAutoDeletionLabel = "Auto Deletion :";
inline constexpr std::string_view kUnreadReminderLabel = "Unread Message Reminder :";
inline constexpr std::string_view kPrivacyLabel = "Privacy :";
inline constexpr std::string_view kAlwaysOnLabel = "Always On :";
inline constexpr std::string_view kPriorityScanTimeLabel = "Priority Scan Time [Sec] :";
inline constexpr std::string_view kAnnouncementsTypeLabel = "Announcements Type :";
inline constexpr std::string_view kPriorityToneLabel = "Priority Tone Alert :";
inline constexpr std::string_view kBatteryLevelLabel = "Battery Level Announcement :";
inline constexpr std::string_view kSec = "Sec";

inline constexpr std::array<std::string_view, 5> kStoredVoiceItems{"15 Sec", "30 Sec", "60 Sec",
                                                                   "120 Sec", "Dynamic"};
// Item order of the list; codes 0, 2, 3, 1.
inline constexpr std::array<std::string_view, 4> kSwitchAnnouncementItems{
    "Off", "On", "On & On Reset", "On Reset Only"};
inline constexpr std::array<std::string_view, 2> kOffOn{"Off", "On"};
inline constexpr std::array<std::string_view, 2> kAlertDurationModes{"Standard", "Fixed"};
inline constexpr std::array<std::string_view, 2> kAnnouncementTypes{"Female", "Male"};

inline constexpr std::string_view kAlwaysOnNote =
    "(When battery is reinserted, volume knob needs to be switched from OFF to ON)";
inline constexpr std::string_view kNoPriorityScanNote = "(No function switch set to Priority Scan)";
inline constexpr std::string_view kPriorityScanRangeWarning =
    "WARNING: Priority Scan Time must be within 0.064sec to 2.04sec range. ";
inline constexpr std::string_view kPriorityScanSlowWarning =
    "WARNING: Priority Scan Time > 0.512sec may result in missed page alerts. ";
inline constexpr std::string_view kPriorityScanCaption = "Priority Scan Time";
inline constexpr std::string_view kAlertDurationRangeWarning =
    "WARNING: Alert duration must be within 0.48sec to 122.4sec range. ";
inline constexpr std::string_view kAlertDurationCaption = "Alert Duration";

// Function Switches tab.
inline constexpr std::array<std::string_view, 4> kAlertTypes{"Tone", "Vibrate", "",
                                                             "Tone & Vibrate"};
inline constexpr std::array<std::string_view, 3> kAnnouncementNames{"Standard", "Enhanced",
                                                                    "Custom SW- "};
inline constexpr std::string_view kModeLabel = "Mode : ";
inline constexpr std::string_view kAlertTypeLabel = "Alert Type :";
inline constexpr std::string_view kAnnouncementLabel = "Announcement :";
inline constexpr std::string_view kPlayPager = "Play Pager";
inline constexpr std::string_view kEnableDuty = "Enable ON/OFF Duty";
inline constexpr std::string_view kPushToListen = "Push To Listen";
inline constexpr std::string_view kScanChannel = "Scan Channel";
inline constexpr std::string_view kPriority = "Priority";

} // namespace quorl::texts
