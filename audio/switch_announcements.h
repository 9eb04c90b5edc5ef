#pragma once

#include <string>
#include <string_view>

namespace quorl {

// What a switch announcement says for a function switch mode (its stored code, 0..13),
// in the voice's language where the program knows one (English and German), else
// in English: "Monitor channel 2", "Prioritätssuchlauf".
std::string switchAnnouncement(int modeCode, std::string_view voice);

} // namespace quorl
