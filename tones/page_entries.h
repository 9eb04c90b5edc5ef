#pragma once

#include "codeplug/codeplug_image.h"

#include <string>
#include <vector>

namespace quorl::tones {

// A call address or group call of a channel that a test page can alert: used by
// the channel's coding option and with its tones set, with the text a list shows.
struct PageEntry {
    int call = 0;     // 1..10, or 0 for a group call
    int group = 0;    // 1..5
    std::string text; // "Call 1 (349.0 - 832.5)", "Group 1 (634.5)"
};

std::vector<PageEntry> pageEntries(const CodeplugImage& image, int channel);

} // namespace quorl::tones
