#pragma once

#include <string>
#include <vector>

namespace quorl::textplug {

// One value of a codeplug as the editors show it, named by where it sits in the
// text: the section, then the keys below it ({"channels", "F2", "Call 1",
// "Tone 1"}). The value is the text of the box or the item of the list.
struct TextField {
    std::vector<std::string> path;
    std::string value;
    // Written after the value in an export, never read back: a greyed copy names
    // the tone it follows.
    std::string comment = {};
};

// The four sections, in the order the text holds them.
inline constexpr const char* kIdentitySection = "identity";
inline constexpr const char* kModelOptionsSection = "model options";
inline constexpr const char* kSwitchesSection = "function switches";
inline constexpr const char* kChannelsSection = "channels";

// The name a person reads in a report: the keys below the section joined by
// blanks ("F2 Call 1 Tone 1", "SW-A Mode", "Privacy").
std::string fieldName(const std::vector<std::string>& path);

// Whether two values say the same: the same text, or the same number ("155" and
// "155.000000").
bool sameValue(const std::string& a, const std::string& b);

// Identity values come from the pager and are never taken from text.
bool isIdentity(const std::vector<std::string>& path);

} // namespace quorl::textplug
