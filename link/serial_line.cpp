#include "link/serial_line.h"

namespace quorl {

speed_t baudToSpeed(unsigned baud) {
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    default:
        return B0;
    }
}

bool applyLineSettings(termios& tio, unsigned baud, int byteSize, int stopBitsCode,
                       int parityCode) {
    const speed_t speed = baudToSpeed(baud);
    if (speed == B0)
        return false;
    tcflag_t size = 0;
    switch (byteSize) {
    case 5:
        size = CS5;
        break;
    case 6:
        size = CS6;
        break;
    case 7:
        size = CS7;
        break;
    case 8:
        size = CS8;
        break;
    default:
        return false;
    }
    // One and a half stop bits exist only with five data bits; a tty sends that
    // setting when asked for two.
    if (stopBitsCode < 0 || stopBitsCode > 2 || (stopBitsCode == 1 && byteSize != 5))
        return false;
    if (parityCode < 0 || parityCode > 4)
        return false;

    // The frames are binary: every input, output and local processing bit goes, and
    // with it both kinds of flow control. The carrier-detect line is ignored (CLOCAL):
    // the cradle does not drive it. Only HUPCL, the driver's DTR/RTS handling on close,
    // is kept.
    const tcflag_t keptC = tio.c_cflag & HUPCL;
    cfmakeraw(&tio);
    tio.c_iflag = 0;
    tio.c_oflag = 0;
    tio.c_lflag = 0;
    tio.c_cflag = size | CREAD | CLOCAL | keptC;
    if (stopBitsCode != 0)
        tio.c_cflag |= CSTOPB;
    switch (parityCode) {
    case 1:
        tio.c_cflag |= PARENB | PARODD;
        break;
    case 2:
        tio.c_cflag |= PARENB;
        break;
    case 3:
        tio.c_cflag |= PARENB | PARODD | CMSPAR;
        break;
    case 4:
        tio.c_cflag |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    // Reads are made non-blocking through the descriptor; these keep read() from
    // waiting for a minimum count on a driver that ignores O_NONBLOCK.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    return cfsetispeed(&tio, speed) == 0 && cfsetospeed(&tio, speed) == 0;
}

} // namespace quorl
