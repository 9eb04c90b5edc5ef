#include "link/sim/pager_line_check.h"

#include <utility>

namespace quorl::sim {

namespace {

void note(std::string& out, const char* what) {
    if (!out.empty())
        out += "; ";
    out += what;
}

} // namespace

std::string pagerLineDifferences(const termios& tio) {
    std::string out;
    if (cfgetispeed(&tio) != B57600 || cfgetospeed(&tio) != B57600)
        note(out, "baud rate is not 57600");
    if ((tio.c_cflag & CSIZE) != CS8)
        note(out, "not 8 data bits");
    if ((tio.c_cflag & CSTOPB) == 0)
        note(out, "one stop bit instead of two");
    if ((tio.c_cflag & PARENB) != 0)
        note(out, "parity on");
    if ((tio.c_cflag & CREAD) == 0)
        note(out, "receiver off (CREAD)");
    if ((tio.c_cflag & CRTSCTS) != 0)
        note(out, "hardware flow control (CRTSCTS)");
    if ((tio.c_iflag & (IXON | IXOFF | IXANY)) != 0)
        note(out, "software flow control (IXON/IXOFF/IXANY)");
    const std::pair<tcflag_t, const char*> input[] = {
        {ICRNL, "ICRNL"},   {INLCR, "INLCR"},   {IGNCR, "IGNCR"},   {ISTRIP, "ISTRIP"},
        {PARMRK, "PARMRK"}, {BRKINT, "BRKINT"}, {IGNBRK, "IGNBRK"}, {IUCLC, "IUCLC"}};
    for (const auto& [flag, name] : input)
        if ((tio.c_iflag & flag) != 0)
            note(out, (std::string("input processing (") + name + ")").c_str());
    if ((tio.c_oflag & OPOST) != 0)
        note(out, "output processing (OPOST)");
    if ((tio.c_lflag & ICANON) != 0)
        note(out, "canonical mode (ICANON)");
    if ((tio.c_lflag & (ECHO | ECHONL)) != 0)
        note(out, "echo");
    if ((tio.c_lflag & (ISIG | IEXTEN)) != 0)
        note(out, "signal or extended characters (ISIG/IEXTEN)");
    return out;
}

} // namespace quorl::sim
