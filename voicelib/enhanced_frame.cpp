#include "voicelib/enhanced_frame.h"

#include "voicelib/adpcm_quantiser.h"
#include "voicelib/trial_group.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace quorl::vq4 {

namespace {

constexpr std::uint64_t kNoBound = std::numeric_limits<std::uint64_t>::max();

struct TrialOut {
    std::uint32_t* codes;
    int* recon;
    int index;
    int x1;
    int x2;
};

// One trial of the search: the plain coder of adpcm_coder.cpp for one width, with
// the predictor weights turned into masks, because this loop runs
// up to 256 times per frame. Returns kNoBound once the error passes `bound`.
template <int W>
std::uint64_t runTrial(const AdpcmState& start, int k1, int k2, int sub, int ub, const int* v,
                       int count, std::uint64_t bound, TrialOut& out) {
    const auto& steps = stepTable();
    const int* adapt = adaptTable(W, sub);
    const int whole = k1 >= 4 ? -1 : 0; // x1 weight 1.0 (else 0.5)
    const int quarter1 = (k1 & 2) ? -1 : 0;
    const int eighth1 = (k1 & 1) ? -1 : 0;
    const int minusHalf = k2 < 4 ? -1 : 0; // x2 weight starts at -0.5 (else 0)
    const int quarter2 = (k2 & 2) ? -1 : 0;
    const int eighth2 = (k2 & 1) ? -1 : 0;
    int index = start.index;
    int x1 = start.x1;
    int x2 = start.x2;
    std::uint64_t error = 0;
    for (int i = 0; i < count; ++i) {
        const int p1 =
            (x1 & whole) + ((x1 >> 1) & ~whole) + ((x1 >> 2) & quarter1) + ((x1 >> 3) & eighth1);
        const int p2 = -((x2 >> 1) & minusHalf) + ((x2 >> 2) & quarter2) + ((x2 >> 3) & eighth2);
        const int prediction = std::clamp(p1 + p2, -8192, 8191);
        const AdpcmQuantised q =
            quantiseAdpcm(v[i] - prediction, steps[static_cast<std::size_t>(index)], W);
        const std::uint32_t code = q.code;
        const int r = reconstructAdpcm(prediction, q.delta);
        const std::int64_t e = v[i] - r;
        error += static_cast<std::uint64_t>(e * e);
        if (error > bound)
            return kNoBound;
        out.codes[i] = code;
        out.recon[i] = r;
        x2 = x1;
        x1 = r;
        index = std::clamp(index + adapt[adpcmMagnitude(code, W)], 0, ub);
    }
    out.index = index;
    out.x1 = x1;
    out.x2 = x2;
    return error;
}

std::uint64_t runTrialForWidth(int width, const AdpcmState& start, int k1, int k2, int sub, int ub,
                               const int* v, int count, std::uint64_t bound, TrialOut& out) {
    switch (width) {
    case 2:
        return runTrial<2>(start, k1, k2, sub, ub, v, count, bound, out);
    case 3:
        return runTrial<3>(start, k1, k2, sub, ub, v, count, bound, out);
    case 4:
        return runTrial<4>(start, k1, k2, sub, ub, v, count, bound, out);
    default:
        return runTrial<5>(start, k1, k2, sub, ub, v, count, bound, out);
    }
}

// Sixteen trials (the four sub-tables of four neighbouring K2 choices) in
// lockstep. Each trial is one long dependency chain, so running several side
// by side keeps the processor busy; a trial leaves the group once its error
// passes `bound`.
constexpr int kGroup = kGroupLanes;
using GroupOut = TrialGroupOut;

template <int W>
void runGroup(const AdpcmState& start, int k1, int k2Even, int ub, const int* v, int count,
              std::uint64_t bound, GroupOut& out) {
    const auto& steps = stepTable();
    const int whole = k1 >= 4 ? -1 : 0;
    const int quarter1 = (k1 & 2) ? -1 : 0;
    const int eighth1 = (k1 & 1) ? -1 : 0;
    const int minusHalf = k2Even < 4 ? -1 : 0;
    int quarter2[kGroup];
    int eighth2[kGroup];
    const int* adapt[kGroup];
    int index[kGroup], x1[kGroup], x2[kGroup];
    std::uint64_t error[kGroup];
    bool alive[kGroup];
    // The lanes still in the race; a lane that drops out is swapped away so the
    // loop never looks at it again.
    int active[kGroup];
    for (int g = 0; g < kGroup; ++g) {
        active[g] = g;
        adapt[g] = adaptTable(W, g & 3);
        const int k2 = k2Even + g / 4;
        quarter2[g] = (k2 & 2) ? -1 : 0;
        eighth2[g] = (k2 & 1) ? -1 : 0;
        index[g] = start.index;
        x1[g] = start.x1;
        x2[g] = start.x2;
        error[g] = 0;
        alive[g] = true;
    }
    int living = kGroup;
    for (int i = 0; i < count && living > 0; ++i) {
        for (int k = 0; k < living;) {
            const int g = active[k];
            const int a = x1[g];
            const int b = x2[g];
            const int p1 =
                (a & whole) + ((a >> 1) & ~whole) + ((a >> 2) & quarter1) + ((a >> 3) & eighth1);
            const int p2 =
                -((b >> 1) & minusHalf) + ((b >> 2) & quarter2[g]) + ((b >> 3) & eighth2[g]);
            const int prediction = std::clamp(p1 + p2, -8192, 8191);
            const AdpcmQuantised q =
                quantiseAdpcm(v[i] - prediction, steps[static_cast<std::size_t>(index[g])], W);
            const std::uint32_t code = q.code;
            const int r = reconstructAdpcm(prediction, q.delta);
            const std::int64_t e = v[i] - r;
            error[g] += static_cast<std::uint64_t>(e * e);
            if (error[g] > bound) {
                alive[g] = false;
                active[k] = active[--living];
                continue;
            }
            ++k;
            out.codes[static_cast<std::size_t>(i)][static_cast<std::size_t>(g)] =
                static_cast<std::int32_t>(code);
            out.recon[static_cast<std::size_t>(i)][static_cast<std::size_t>(g)] = r;
            x2[g] = a;
            x1[g] = r;
            index[g] = std::clamp(index[g] + adapt[g][adpcmMagnitude(code, W)], 0, ub);
        }
    }
    for (int g = 0; g < kGroup; ++g) {
        const auto gi = static_cast<std::size_t>(g);
        out.error[gi] = alive[g] ? error[g] : kNoBound;
        out.index[gi] = index[g];
        out.x1[gi] = x1[g];
        out.x2[gi] = x2[g];
    }
}

void runGroupForWidth(int width, const AdpcmState& start, int k1, int k2Even, int ub, const int* v,
                      int count, std::uint64_t bound, GroupOut& out) {
    switch (width) {
    case 2:
        runGroup<2>(start, k1, k2Even, ub, v, count, bound, out);
        break;
    case 3:
        runGroup<3>(start, k1, k2Even, ub, v, count, bound, out);
        break;
    case 4:
        runGroup<4>(start, k1, k2Even, ub, v, count, bound, out);
        break;
    default:
        runGroup<5>(start, k1, k2Even, ub, v, count, bound, out);
        break;
    }
}

} // namespace

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
                         EnhancedFrame& best, std::uint64_t limit) {
    // The winner is the combination with the smallest error, the earliest in
    // K1, K2, sub-table order on a tie. The previous frame's winner is tried
    // first only to start with a tight bound for the early exit; the order of
    // trials does not change the winner.
    best.count = count;
    best.ub = frameUpperBound(v, count, start.x1);
    TrialOut kept{best.codes.data(), best.reconstructed.data(), 0, 0, 0};

    const int first = (start.k1 << 5) | (start.k2 << 2) | start.subTable;
    constexpr int kNone = 256;
    int bestCombo = first;
    std::uint64_t bestError = runTrialForWidth(width, start, start.k1, start.k2, start.subTable,
                                               best.ub, v, count, limit, kept);
    if (bestError == kNoBound) {
        bestError = limit; // nothing found yet; the limit is the bound
        bestCombo = kNone;
    }
    GroupOut group;
    for (int pair = 0; pair < 16; ++pair) {
        const int k1 = pair >> 1;
        const int k2Even = (pair & 1) * 4;
        if (!runTrialGroupAvx2(width, start, k1, k2Even, best.ub, v, count, bestError, group))
            runGroupForWidth(width, start, k1, k2Even, best.ub, v, count, bestError, group);
        for (int lane = 0; lane < kGroup; ++lane) {
            const auto g = static_cast<std::size_t>(lane);
            const int combo = (k1 << 5) | ((k2Even + lane / 4) << 2) | (lane & 3);
            const std::uint64_t error = group.error[g];
            if (combo == first || error == kNoBound || error > bestError)
                continue;
            if (error == bestError && combo > bestCombo)
                continue;
            bestError = error;
            bestCombo = combo;
            for (int i = 0; i < count; ++i) {
                const auto si = static_cast<std::size_t>(i);
                best.codes[si] = static_cast<std::uint32_t>(group.codes[si][g]);
                best.reconstructed[si] = group.recon[si][g];
            }
            kept.index = group.index[g];
            kept.x1 = group.x1[g];
            kept.x2 = group.x2[g];
        }
    }
    if (bestCombo == kNone) {
        best.squaredError = kNoErrorLimit;
        return;
    }
    best.k1 = bestCombo >> 5;
    best.k2 = (bestCombo >> 2) & 7;
    best.subTable = bestCombo & 3;
    best.squaredError = bestError;
    best.endState = start;
    best.endState.width = width;
    best.endState.k1 = best.k1;
    best.endState.k2 = best.k2;
    best.endState.subTable = best.subTable;
    best.endState.ub = best.ub;
    best.endState.index = kept.index;
    best.endState.x1 = kept.x1;
    best.endState.x2 = kept.x2;
}

void writeEnhancedFrame(const EnhancedFrame& f, int width, BitWriter& w) {
    w.put(static_cast<std::uint32_t>((f.ub << 2) | f.subTable), 8);
    w.put(static_cast<std::uint32_t>((f.k2 << 4) | f.k1), 8);
    for (int i = 0; i < f.count; ++i)
        w.put(f.codes[static_cast<std::size_t>(i)], width);
}

} // namespace quorl::vq4
