#include "tones/tone_matching.h"

#include "codeplug/channel_block.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/coding_options.h"
#include "codeplug/general_block.h"
#include "codeplug/tone_tables.h"
#include "tones/page_sequence.h"

#include <algorithm>
#include <cmath>

namespace quorl::tones {

bool withinTolerance(double measuredHz, double nominalHz) {
    return nominalHz > 0 && std::abs(measuredHz - nominalHz) <= nominalHz * kTonePercent / 100.0;
}

std::vector<TableMatch> tableMatches(double hz) {
    std::vector<TableMatch> out;
    for (const ToneTable* table : {&corvaneToneTable(), &geToneTable(), &plectronToneTable()}) {
        const ToneTableEntry* best = nullptr;
        for (const ToneTableEntry& e : table->entries)
            if (!best || std::abs(entryHz(e) - hz) < std::abs(entryHz(*best) - hz))
                best = &e;
        if (best && withinTolerance(hz, entryHz(*best)))
            out.push_back({table->name, best->code, entryHz(*best)});
    }
    return out;
}

std::vector<PagedEntry> pagedEntries(const CodeplugImage& image, const FoundPage& page) {
    std::vector<PagedEntry> out;
    const int channels = std::min<int>(GeneralBlock(image).channelCount(), layout::kChannelCount);
    const auto matches = [](double measured, const StoredTone& stored) {
        return stored.tenthsHz != 0 && withinTolerance(measured, stored.tenthsHz / 10.0);
    };
    for (int ch = 0; ch < channels; ++ch) {
        const ConstChannelBlock block(image, ch);
        const CodingOption& option = codingOption(block.codingOption());
        if (page.hz.size() == 2) {
            for (int call = 1; call <= option.calls; ++call)
                if (matches(page.hz[0], block.callTone(call, 1)) &&
                    matches(page.hz[1], block.callTone(call, 2)))
                    out.push_back({ch, false, call});
        } else if (page.hz.size() == 1) {
            for (int g = 1; g <= option.groups; ++g)
                if (matches(page.hz[0], block.groupTone(g)))
                    out.push_back({ch, true, g});
        }
    }
    return out;
}

std::string entryName(const PagedEntry& e) {
    return channelName(e.channel) + (e.group ? " Group " : " Call ") + std::to_string(e.index);
}

} // namespace quorl::tones
