#include "tones/page_entries.h"

#include "codeplug/channel_block.h"
#include "codeplug/coding_options.h"
#include "codeplug/tone_encoding.h"

namespace quorl::tones {

std::vector<PageEntry> pageEntries(const CodeplugImage& image, int channel) {
    std::vector<PageEntry> out;
    const ConstChannelBlock block(image, channel);
    const CodingOption& option = codingOption(block.codingOption());
    for (int c = 1; c <= option.calls; ++c) {
        const StoredTone a = block.callTone(c, 1), b = block.callTone(c, 2);
        if (a.tenthsHz != 0 && b.tenthsHz != 0)
            out.push_back({c, 0,
                           "Call " + std::to_string(c) + " (" + formatTone(a.tenthsHz) + " - " +
                               formatTone(b.tenthsHz) + ")"});
    }
    for (int g = 1; g <= option.groups; ++g)
        if (const StoredTone t = block.groupTone(g); t.tenthsHz != 0)
            out.push_back(
                {0, g, "Group " + std::to_string(g) + " (" + formatTone(t.tenthsHz) + ")"});
    return out;
}

} // namespace quorl::tones
