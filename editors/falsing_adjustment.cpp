#include "editors/falsing_adjustment.h"

#include "codeplug/channel_block.h"

#include <algorithm>

namespace quorl {

FalsingAdjustment::FalsingAdjustment(CodeplugState& state, int channel)
    : state_(state), channel_(std::clamp(channel, 0, layout::kChannelCount - 1)) {}

Address FalsingAdjustment::address() const {
    return layout::channelBase(channel_) + 0x08;
}

int FalsingAdjustment::toneTolerance() const {
    return (state_.image.at(address()) >> 4) & 0x03;
}

int FalsingAdjustment::interpageGap() const {
    return state_.image.at(address()) & 0x03;
}

void FalsingAdjustment::setToneTolerance(int position) {
    const auto byte = state_.editImage.at(address());
    state_.editImage.set(address(),
                         static_cast<std::uint8_t>((byte & 0x03) | ((position & 0x03) << 4)));
    state_.modified = true;
}

void FalsingAdjustment::setInterpageGap(int position) {
    const auto byte = state_.editImage.at(address());
    state_.editImage.set(address(), static_cast<std::uint8_t>((byte & 0x30) | (position & 0x03)));
    state_.modified = true;
}

void FalsingAdjustment::accept() {
    state_.image.set(address(), state_.editImage.at(address()));
}

void FalsingAdjustment::cancel() {
    state_.editImage.set(address(), state_.image.at(address()));
}

} // namespace quorl
