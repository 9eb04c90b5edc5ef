#pragma once

#include "codeplug/codeplug_image.h"

namespace quorl {

// The on/off-duty setting of a channel's call addresses only means something when
// a function switch can put the pager off duty on that channel: a switch with
// "Enable ON/OFF Duty" set whose mode is Silent Scan or Selective Call on this
// channel (0..4).
bool dutyAvailable(const CodeplugImage& image, int channel);

} // namespace quorl
