#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The names of the channel fields' stored numbers: a stored number is the index
// of its name, and the channel tab fills its combo boxes in exactly this order.
namespace quorl::options {

inline constexpr std::array<std::string_view, 2> kBandwidth{"12.5", "25"};

inline constexpr std::array<std::string_view, 5> kToneSystem{"Corvane", "GE", "Plectron", "User",
                                                             "Fast Plectron"};
inline constexpr std::size_t kToneSystemUser = 3;

inline constexpr std::array<std::string_view, 11> kCodingOption{
    "R468", "R130", "R97", "STD", "R134", "R138", "R362", "R177", "R60", "R621", "R168 (None)"};
inline constexpr std::size_t kCodingOptionNone = 10;

inline constexpr std::array<std::string_view, 8> kResetFunction{
    "Automatic", "Delayed N", "Revert",          "Manual",
    "Timeout",   "Revert N",  "Muted Delayed N", "Muted Revert N"};

inline constexpr std::array<std::string_view, 15> kAlert{
    "Standard",       "Continuous",     "Music 1",        "Music 2",        "Music 3",
    "Music 4",        "Music 5",        "Music 6",        "Music 7",        "Music 8",
    "Custom Alert 1", "Custom Alert 2", "Custom Alert 3", "Custom Alert 4", "Custom Alert 5"};

inline constexpr std::array<std::string_view, 2> kVibrate{"Standard", "Pulsed"};
inline constexpr std::array<std::string_view, 2> kDuty{"Off", "On"};

inline constexpr int kSquelchPositions = 5; // 0 (Tight) .. 4 (Loose)

// Name for a stored number, or "" when the number is past the list.
template <std::size_t N>
std::string_view nameOf(const std::array<std::string_view, N>& list, std::size_t index) {
    return index < N ? list[index] : std::string_view{};
}

} // namespace quorl::options
