#include "tones/page_grouping.h"

#include <cmath>

namespace quorl::tones {

std::vector<FoundPage> groupPages(const std::vector<FoundTone>& tones) {
    std::vector<FoundPage> pages;
    for (std::size_t i = 0; i < tones.size(); ++i) {
        const FoundTone& a = tones[i];
        if (i + 1 < tones.size()) {
            const FoundTone& b = tones[i + 1];
            const double gap = b.start - (a.start + a.duration);
            if (a.duration <= kLongestFirstTone && gap <= kLongestInnerGap && b.hz != a.hz) {
                pages.push_back({a.start, {a.hz, b.hz}});
                ++i;
                continue;
            }
        }
        pages.push_back({a.start, {a.hz}});
    }
    return pages;
}

} // namespace quorl::tones
