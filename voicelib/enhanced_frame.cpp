#include "voicelib/enhanced_frame.h"

#include <cstdlib>
#include <limits>

namespace quorl::vq4 {

int frameUpperBound(const int* v, int count, int x1) {
    int largest = 0;
    int prev = x1;
    for (int i = 0; i < count; ++i) {
        largest = std::max(largest, std::abs(v[i] - prev));
        prev = v[i];
    }
    const auto& step = stepTable();
    for (int i = 61; i >= 0; --i) {
        if (2 * step[static_cast<std::size_t>(i)] < largest)
            return i + 2;
    }
    return 1;
}

void searchEnhancedFrame(const AdpcmState& start, int width, const int* v, int count,
                         EnhancedFrame& best) {
    best.count = count;
    best.ub = frameUpperBound(v, count, start.x1);
    std::uint64_t bestError = std::numeric_limits<std::uint64_t>::max();
    std::array<std::uint32_t, kFrameSamples> codes{};
    std::array<int, kFrameSamples> recon{};
    for (int k1 = 0; k1 < 8; ++k1) {
        for (int k2 = 0; k2 < 8; ++k2) {
            for (int sub = 0; sub < 4; ++sub) {
                AdpcmState s = start;
                s.width = width;
                s.k1 = k1;
                s.k2 = k2;
                s.subTable = sub;
                s.ub = best.ub;
                std::uint64_t error = 0;
                bool complete = true;
                for (int i = 0; i < count; ++i) {
                    int r = 0;
                    codes[static_cast<std::size_t>(i)] = adpcmEncode(s, v[i], r);
                    recon[static_cast<std::size_t>(i)] = r;
                    const std::int64_t d = v[i] - r;
                    error += static_cast<std::uint64_t>(d * d);
                    if (error > bestError) {
                        complete = false;
                        break;
                    }
                }
                if (!complete || error >= bestError)
                    continue;
                bestError = error;
                best.k1 = k1;
                best.k2 = k2;
                best.subTable = sub;
                best.squaredError = error;
                best.endState = s;
                best.codes = codes;
                best.reconstructed = recon;
            }
        }
    }
}

void writeEnhancedFrame(const EnhancedFrame& f, int width, BitWriter& w) {
    w.put(static_cast<std::uint32_t>((f.ub << 2) | f.subTable), 8);
    w.put(static_cast<std::uint32_t>((f.k2 << 4) | f.k1), 8);
    for (int i = 0; i < f.count; ++i)
        w.put(f.codes[static_cast<std::size_t>(i)], width);
}

} // namespace quorl::vq4
