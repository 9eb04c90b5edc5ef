#include "codeplug/checksums.h"

#include "codeplug/codeplug_layout.h"

namespace quorl {

namespace {
// A block of length byte L is L + 2 bytes long; its checksum covers the first L + 1.
void storeBlockChecksum(CodeplugImage& image, Address block, std::size_t covered) {
    image.set(block + static_cast<Address>(covered), image.sum(block, covered));
}
} // namespace

void updateChecksums(CodeplugImage& image) {
    using namespace layout;
    storeBlockChecksum(image, kModelOptionsBlock, kModelOptionsLength + 1u);
    image.set(kModelOptionsChecksumMirror, image.at(kModelOptionsBlock + kModelOptionsLength + 1u));
    storeBlockChecksum(image, kFunctionSwitchesBlock, kFunctionSwitchesLength + 1u);
    for (int ch = 0; ch < kChannelCount; ++ch)
        storeBlockChecksum(image, channelBase(ch), kChannelBlockSize - 1);
}

void refreshMirror(CodeplugImage& image) {
    image.copyWithin(layout::kMirrorSource, layout::kMirrorTarget, layout::kMirrorLength);
}

CodeplugImage preparedForFile(CodeplugImage image) {
    updateChecksums(image);
    refreshMirror(image);
    return image;
}

void refreshModelOptionsMirror(CodeplugImage& image) {
    image.copyWithin(layout::kModelMirrorSource, layout::kModelMirrorTarget,
                     layout::kModelMirrorLength);
}

} // namespace quorl
