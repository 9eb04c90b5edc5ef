#pragma once

#include "codeplug/codeplug_image.h"

namespace quorl {

// Recomputes the block checksums of the model options, function switches and five
// channel blocks (plus the model options checksum's mirror at 0x3D5F). The General
// block belongs to the pager and keeps the checksum it came with.
void updateChecksums(CodeplugImage& image);

// Copies 0x0100..0x027E into the mirror at 0x3C00..0x3D7E, as every file save does.
void refreshMirror(CodeplugImage& image);

// `image` as a .ppg file holds it: checksums recomputed and the mirror refreshed.
CodeplugImage preparedForFile(CodeplugImage image);

// Copies 0x0200..0x027E into 0x3D00..0x3D7E, as a write to the pager does.
void refreshModelOptionsMirror(CodeplugImage& image);

} // namespace quorl
