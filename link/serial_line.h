#pragma once

#include <termios.h>

namespace quorl {

// Puts a tty's settings into raw mode (as cfmakeraw does: no canonical mode, echo,
// signal characters or CR/LF translation, which a Windows port never had) and sets
// baud rate, byte size, stop bits and parity from the platform codes (stop bits
// 0 one, 1 one and a half, 2 two; parity 0 none, 1 odd, 2 even, 3 mark, 4 space).
// Flow control and modem-line handling stay as the driver reports them. False when a
// setting cannot be expressed.
bool applyLineSettings(termios& tio, unsigned baud, int byteSize, int stopBitsCode, int parityCode);

// The termios speed for a baud rate, or B0 when there is none.
speed_t baudToSpeed(unsigned baud);

} // namespace quorl
