#pragma once

#include <string>
#include <termios.h>

namespace quorl::sim {

// What a real cradle needs from the program's side of the line: 57,600 baud both ways,
// 8 data bits, two stop bits, no parity, and a raw line without flow control, so no
// byte of a binary frame is swallowed, translated or echoed. Empty when the settings
// are right, else the differences, one phrase each, separated by "; ".
std::string pagerLineDifferences(const termios& tio);

} // namespace quorl::sim
