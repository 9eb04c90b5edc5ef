#include "textplug/text_keys.h"

#include "codeplug/channel_block.h"
#include "editors/channel_texts.h"
#include "editors/user_data_texts.h"

namespace quorl::textplug::keys {

std::string fromLabel(std::string_view label) {
    while (!label.empty() && (label.back() == ' ' || label.back() == ':'))
        label.remove_suffix(1);
    return std::string(label);
}

std::vector<std::string> identityKeys() {
    return {fromLabel(texts::kModelNumberLabel),
            fromLabel(texts::kSerialNumberLabel),
            fromLabel(texts::kTanapaLabel),
            fromLabel(texts::kBandSplitLabel),
            fromLabel(texts::kIfLabel),
            fromLabel(texts::kTcxoLabel),
            fromLabel(texts::kCodeplugVersionLabel),
            fromLabel(texts::kFirmwareLabel),
            fromLabel(texts::kChannelTypeLabel)};
}

std::string switchName(int k) {
    return std::string("SW-") + static_cast<char>('A' + k);
}

std::string channelName(int channel) {
    // Appended piece by piece: GCC 12 at -O3 reports "F" + text as an overlapping copy.
    std::string name(1, 'F');
    name.append(std::to_string(channel + 1));
    return name;
}

std::string rowName(int row) {
    if (row < kCallCount)
        return std::string(texts::channel::kCallRowPrefix) + std::to_string(row + 1);
    return std::string(texts::channel::kGroupRowPrefix) + std::to_string(row - kCallCount + 1);
}

} // namespace quorl::textplug::keys
