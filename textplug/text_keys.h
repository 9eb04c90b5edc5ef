#pragma once

#include <string>
#include <string_view>
#include <vector>

// The keys of the codeplug text. They are the editors' own labels (without the
// trailing " :"), so a person who knows the User Data window finds every value
// under the name it has there.
namespace quorl::textplug::keys {

// "Serial Number :" -> "Serial Number".
std::string fromLabel(std::string_view label);

inline constexpr std::string_view kAlertDurationTime = "Pager Alert Duration [Sec]";
inline constexpr std::string_view kScan1 = "1st Scan Channel";
inline constexpr std::string_view kScan2 = "2nd Scan Channel";
inline constexpr std::string_view kDuty = "Duty";
inline constexpr std::string_view kGroupTone = "Tone";

// The keys of the identity section, in the order of the General tab.
std::vector<std::string> identityKeys();

// "SW-A".."SW-H".
std::string switchName(int k);
// "F1".."F5".
std::string channelName(int channel);
// "Call 1".."Call 10", "Group Call 1".."Group Call 5" for rows 0..14.
std::string rowName(int row);

// The two words of a check box.
inline constexpr std::string_view kOff = "Off";
inline constexpr std::string_view kOn = "On";

} // namespace quorl::textplug::keys
