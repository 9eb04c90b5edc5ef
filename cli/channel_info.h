#pragma once

#include "cli/info_report.h"
#include "codeplug/codeplug_image.h"

namespace quorl::cli {

// Each channel the pager has (the count at 0x010D): receive frequency, bandwidth,
// tone system, coding option, reset function and timer, squelch level, and every
// call address and group call its coding option uses.
void addChannels(InfoNode& root, const CodeplugImage& image);

} // namespace quorl::cli
