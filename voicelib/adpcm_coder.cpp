#include "voicelib/adpcm_coder.h"

#include "voicelib/adpcm_quantiser.h"

#include <algorithm>

namespace quorl::vq4 {

namespace {

constexpr std::array<int, kStepCount> makeSteps() {
    std::array<int, kStepCount> s{};
    for (int i = 0; i < kStepCount; ++i)
        s[static_cast<std::size_t>(i)] =
            4 * (((1 << (i / 8 + 4)) + (i % 8) * (1 << (i / 8 + 1))) / 2);
    return s;
}
constexpr std::array<int, kStepCount> kSteps = makeSteps();

// Index adaptation by the code's magnitude bits; [width - 2][sub-table][magnitude].
constexpr int kAdapt[4][4][16] = {
    {{-1, 2}, {-2, 5}, {-1, 4}, {-2, 2}},
    {{-1, -1, 2, 4}, {-2, -2, 5, 7}, {-1, -1, 4, 6}, {-2, -2, 2, 4}},
    {{-1, -1, -1, -1, 2, 4, 6, 8},
     {-2, -2, -2, -2, 5, 7, 9, 11},
     {-1, -1, -1, -1, 4, 6, 8, 10},
     {-2, -2, -2, -2, 2, 4, 8, 10}},
    {{-1, -1, -1, -1, -1, -1, -1, -1, 2, 4, 6, 8, 10, 12, 14, 16},
     {-2, -2, -2, -2, -2, -2, -2, -2, 5, 7, 9, 11, 13, 15, 17, 19},
     {-1, -1, -1, -1, -1, -1, -1, -1, 4, 6, 8, 10, 12, 14, 16, 18},
     {-2, -2, -2, -2, -2, -2, -2, -2, 2, 4, 8, 10, 10, 12, 14, 16}},
};

constexpr int clip14(int v) {
    return std::clamp(v, -8192, 8191);
}

// The reconstruction and adaptation shared by encoder and decoder.
int applyCode(AdpcmState& s, int prediction, std::uint32_t code) {
    const int magBits = s.width - 1;
    const std::uint32_t mag = code & ((1u << magBits) - 1u);
    int step = kSteps[static_cast<std::size_t>(s.index)];
    int delta = 0;
    for (int b = magBits - 1; b >= 0; --b) {
        if ((mag >> b) & 1u)
            delta += step;
        step >>= 1;
    }
    delta += step;
    if ((code >> magBits) & 1u)
        delta = -delta;
    const int r = reconstructAdpcm(prediction, delta);
    s.x2 = s.x1;
    s.x1 = r;
    s.index = std::clamp(s.index + kAdapt[s.width - 2][s.subTable][mag], 0, s.ub);
    return r;
}

} // namespace

const std::array<int, kStepCount>& stepTable() {
    return kSteps;
}

const int* adaptTable(int width, int subTable) {
    return kAdapt[width - 2][subTable];
}

int adpcmPredict(const AdpcmState& s) {
    // Weights are sums of halves, quarters and eighths so the chip can use shifts.
    const int x1 = s.x1;
    int p1 = 0;
    switch (s.k1) {
    case 0:
        p1 = x1 >> 1;
        break;
    case 1:
        p1 = (x1 >> 1) + (x1 >> 3);
        break;
    case 2:
        p1 = (x1 >> 1) + (x1 >> 2);
        break;
    case 3:
        p1 = (x1 >> 1) + (x1 >> 2) + (x1 >> 3);
        break;
    case 4:
        p1 = x1;
        break;
    case 5:
        p1 = x1 + (x1 >> 3);
        break;
    case 6:
        p1 = x1 + (x1 >> 2);
        break;
    default:
        p1 = x1 + (x1 >> 2) + (x1 >> 3);
        break;
    }
    const int x2 = s.x2;
    int p2 = s.k2 < 4 ? -(x2 >> 1) : 0;
    switch (s.k2 & 3) {
    case 1:
        p2 += x2 >> 3;
        break;
    case 2:
        p2 += x2 >> 2;
        break;
    case 3:
        p2 += (x2 >> 2) + (x2 >> 3);
        break;
    default:
        break;
    }
    return clip14(p1 + p2);
}

std::uint32_t adpcmEncode(AdpcmState& s, int v, int& reconstructed) {
    const int prediction = adpcmPredict(s);
    const AdpcmQuantised q =
        quantiseAdpcm(v - prediction, kSteps[static_cast<std::size_t>(s.index)], s.width);
    const int r = reconstructAdpcm(prediction, q.delta);
    s.x2 = s.x1;
    s.x1 = r;
    s.index = std::clamp(s.index + kAdapt[s.width - 2][s.subTable][adpcmMagnitude(q.code, s.width)],
                         0, s.ub);
    reconstructed = r;
    return q.code;
}

int adpcmDecode(AdpcmState& s, std::uint32_t code) {
    return applyCode(s, adpcmPredict(s), code);
}

} // namespace quorl::vq4
