#pragma once

#include <string_view>

// The channel tab's, the tone pickers' and the falsing dialog's own texts, used
// verbatim.
namespace quorl::texts::channel {

inline constexpr std::string_view kAppCaption = "Tessaly VI Quorl";

// Frequency entry.
inline constexpr std::string_view kFrequencyRange =
    "WARNING: Please enter a number between %d and %d  ";
inline constexpr std::string_view kFrequencyRangeCaption = "Frequency Error";
inline constexpr std::string_view kOutOfBand =
    "Out of Band Frequency Warning: \r\n\r\nYou have programmed a Receiver Frequency outside of "
    "the Corvane recommended\r\noperational range, which may result in degraded performance.";
inline constexpr std::string_view kOutOfBandCaption = "Receiver Frequency";
inline constexpr std::string_view kInvalidFrequency = "WARNING: Invalid frequency. ";
inline constexpr std::string_view kFrequencyCaption = "Frequency";

// Tone entry.
inline constexpr std::string_view kToneRange =
    "WARNING: Tone Frequency must be within 280Hz to 3400Hz range. ";
inline constexpr std::string_view kToneSpacing =
    "WARNING: Invalid tone spacing. Tone spacing must follow these rules: \r\n1. Two tones in the "
    "same call address should not be the same. \r\n2. Any two tones should be separted by "
    "minimum of 1.55%. ";
inline constexpr std::string_view kToneCaption = "Tone";

// Duty.
inline constexpr std::string_view kDutyRequired =
    "WARNING: At least one call address must be configured as ON Duty. ";
inline constexpr std::string_view kDutyCaption = "Duty On/Off";
inline constexpr std::string_view kDutyEnabled = "On/Off Duty : Enabled";
inline constexpr std::string_view kDutyDisabled = "On/Off Duty : Disabled";

// Reset timer.
inline constexpr std::string_view kResetTimerRange =
    "Reset Function Timer should be within 0.5sec to 127.5sec range.   ";

// Tab labels.
inline constexpr std::string_view kSquelchScale =
    "1(Tight)   2           3           4           5(Loose)";
inline constexpr std::string_view kSec = "Sec";
inline constexpr std::string_view kClearAllTones = "Clear All Tones";
inline constexpr std::string_view kPlayPager = "Play Pager";
inline constexpr std::string_view kPickerButton = "...";
inline constexpr std::string_view kCsHeading = "C/S";
inline constexpr std::string_view kReceiverFrequency = "Receiver Frequency";
inline constexpr std::string_view kBandwidth = "Channel Bandwidth";
inline constexpr std::string_view kSquelch = "Squelch Level";
inline constexpr std::string_view kToneSystem = "Tone System";
inline constexpr std::string_view kCodingOption = "Coding Option";
inline constexpr std::string_view kResetFunction = "Reset Function";
inline constexpr std::string_view kResetTimer = "Reset Timer";
inline constexpr std::string_view kTone1 = "Tone 1";
inline constexpr std::string_view kTone2 = "Tone 2";
inline constexpr std::string_view kAlert = "Alert";
inline constexpr std::string_view kVibrate = "Vibrate";
// Over the rows' on/off duty lists, which had no heading of their own.
inline constexpr std::string_view kDutyHeading = "Duty";
inline constexpr std::string_view kCallRowPrefix = "Call ";
inline constexpr std::string_view kGroupRowPrefix = "Group Call ";

// Tone pickers.
inline constexpr std::string_view kCorvaneTableTitle = "Corvane Tone Table";
inline constexpr std::string_view kGeTableTitle = "GE Tone Table";
inline constexpr std::string_view kPlectronTableTitle = "Plectron Tone Table";
inline constexpr std::string_view kFreqHeading = "Freq";
inline constexpr std::string_view kOk = "OK";
inline constexpr std::string_view kCancel = "Cancel";

// Falsing adjustment.
inline constexpr std::string_view kFalsingTitle = "Falsing Adjustment";
inline constexpr std::string_view kFalsingButton = "Falsing... (S)";
inline constexpr std::string_view kToneTolerance = "Tone Tolerance";
inline constexpr std::string_view kInterpageGapTime = "Interpage Gap Time";
inline constexpr std::string_view kLevelDefault = "Default";
inline constexpr std::string_view kLevel1 = "Level 1";
inline constexpr std::string_view kLevel2 = "Level 2";

} // namespace quorl::texts::channel
