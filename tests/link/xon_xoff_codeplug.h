#pragma once

#include "codeplug/codeplug_image.h"

namespace quorl::test {

// A valid codeplug whose bytes are hostile to a tty left with XON/XOFF on: 0x11 and
// 0x13 in every block that Read and Write Codeplug move, every block checksum 0x11 or
// 0x13, and 0x11/0x13 as the frame checksum of the replies to the 0x3F00 blocks and of
// the write frame of block 0x3D40. The model-options mirror is already refreshed, so
// what a write leaves in the pager equals this image over the write map.
CodeplugImage codeplugFullOfXonXoff();

} // namespace quorl::test
