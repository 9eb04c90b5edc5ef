#include "cli/channel_info.h"

#include "base/decimal_text.h"
#include "codeplug/channel_block.h"
#include "codeplug/channel_option_lists.h"
#include "codeplug/coding_options.h"
#include "codeplug/frequency_encoding.h"
#include "codeplug/general_block.h"
#include "codeplug/tone_encoding.h"

#include <algorithm>
#include <string>

namespace quorl::cli {

namespace {

// A stored number by its name, or "unknown (n)" for a number no list has.
template <std::size_t N>
std::string named(const std::array<std::string_view, N>& list, std::size_t index) {
    const auto name = options::nameOf(list, index);
    return name.empty() ? "unknown (" + std::to_string(index) + ")" : std::string(name);
}

std::string toneText(const StoredTone& t) {
    return t.tenthsHz == 0 ? "" : formatTone(t.tenthsHz);
}

void addEntryFlags(InfoNode& node, std::uint8_t flags) {
    node.add("alert", named(options::kAlert, CallFlags::alert(flags)))
        .add("vibrate", named(options::kVibrate, CallFlags::pulsedVibrate(flags) ? 1 : 0))
        .add("duty", named(options::kDuty, CallFlags::onDuty(flags) ? 1 : 0));
}

} // namespace

void addChannels(InfoNode& root, const CodeplugImage& image) {
    const GeneralBlock general(image);
    const int count = std::min<int>(general.channelCount(), layout::kChannelCount);
    InfoNode& channels = root.list("channels");
    for (int ch = 0; ch < count; ++ch) {
        const ConstChannelBlock block(image, ch);
        const CodingOption& option = codingOption(block.codingOption());
        InfoNode& c = channels.item();
        c.add("channel", std::string{'F', static_cast<char>('1' + ch)})
            .number("receiveFrequencyMHz",
                    formatReceiveFrequency(block.synthWord(), block.fraction(), block.stepCode(),
                                           general.bandCode()))
            .add("bandwidthKHz", named(options::kBandwidth, block.wideBandwidth() ? 1 : 0))
            .add("toneSystem", named(options::kToneSystem, block.toneSystem()))
            .add("codingOption", named(options::kCodingOption, block.codingOption()))
            .add("resetFunction", named(options::kResetFunction, block.resetFunction()))
            .number("resetTimerSeconds", decimalText(block.resetTimer() * 0.5, 1))
            // Shown as the tab's slider: 1 (Tight) to 5 (Loose).
            .number("squelchLevel", std::to_string(block.squelchLevel() + 1));
        InfoNode& calls = c.list("callAddresses");
        for (int call = 1; call <= option.calls; ++call) {
            InfoNode& e = calls.item();
            e.number("call", std::to_string(call))
                .number("tone1Hz", toneText(block.callTone(call, 1)))
                .number("tone2Hz", toneText(block.callTone(call, 2)));
            addEntryFlags(e, block.callFlags(call));
        }
        InfoNode& groups = c.list("groupCalls");
        for (int g = 1; g <= option.groups; ++g) {
            InfoNode& e = groups.item();
            e.number("group", std::to_string(g)).number("toneHz", toneText(block.groupTone(g)));
            addEntryFlags(e, block.groupFlags(g));
        }
    }
}

} // namespace quorl::cli
