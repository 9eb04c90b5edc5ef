#include "codeplug/codeplug_state.h"

#include "codeplug/codeplug_layout.h"
#include "codeplug/general_block.h"

#include <algorithm>

namespace quorl {

void CodeplugState::commitEditImage() {
    image = committedEdits();
}

CodeplugImage CodeplugState::committedEdits() const {
    CodeplugImage out = image;
    const auto from = editImage.bytes();
    std::copy_n(from.begin(), layout::kCommitLength, out.bytes().begin());
    return out;
}

void CodeplugState::restoreChannelArea() {
    const auto from = image.bytes().subspan(layout::kChannelArea, layout::kChannelAreaLength);
    std::copy(from.begin(), from.end(), editImage.bytes().begin() + layout::kChannelArea);
}

void CodeplugState::discardEdits() {
    const auto from = image.bytes().first(layout::kCommitLength);
    std::copy(from.begin(), from.end(), editImage.bytes().begin());
}

void CodeplugState::loadBoth(const CodeplugImage& bytes) {
    image = bytes;
    editImage = bytes;
}

bool CodeplugState::checkImage() {
    return quorl::checkImage(image, band);
}

std::string CodeplugState::firmwareVersionText() const {
    return formatVersion(firmwareVersion);
}

} // namespace quorl
