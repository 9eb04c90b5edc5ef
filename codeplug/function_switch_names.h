#pragma once

#include <array>
#include <string_view>

// The names of the function switch modes and scan channels, shared by the Function
// Switches tab, the printed summary and `quorl info`. A mode's index is its stored code.
namespace quorl::texts {

inline constexpr std::array<std::string_view, 14> kSwitchModes{
    "Selective Call F1", "Selective Call F2", "Selective Call F3", "Selective Call F4",
    "Selective Call F5", "Monitor F1",        "Monitor F2",        "Monitor F3",
    "Monitor F4",        "Monitor F5",        "Probability Scan",  "Priority Scan",
    "Silent Scan",       "Disabled"};
inline constexpr std::array<std::string_view, 5> kScanChannels{"F1", "F2", "F3", "F4", "F5"};

} // namespace quorl::texts
