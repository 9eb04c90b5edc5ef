#pragma once

#include <termios.h>

namespace quorl {

// Sets a tty up for the pager's binary frames and sets baud rate, byte size, stop bits
// and parity from the platform codes (stop bits 0 one, 1 one and a half, 2 two; parity
// 0 none, 1 odd, 2 even, 3 mark, 4 space). Whatever the tty held before, the result
// is a line that alters no byte: no canonical mode, echo or signal characters, no
// input or output processing, no software flow control (a new Linux tty has IXON on
// and would swallow every 0x11 and 0x13 of a reply), no hardware flow control,
// receiver on and modem-status lines ignored. Only the DTR/RTS handling on close
// (HUPCL) stays as the driver reports it. False when a setting cannot be expressed.
bool applyLineSettings(termios& tio, unsigned baud, int byteSize, int stopBitsCode, int parityCode);

// The termios speed for a baud rate, or B0 when there is none.
speed_t baudToSpeed(unsigned baud);

} // namespace quorl
