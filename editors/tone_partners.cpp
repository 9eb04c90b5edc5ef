#include "editors/tone_partners.h"

#include <cmath>
#include <vector>

namespace quorl {
namespace {

constexpr double kSpacing = 0.0155;

enum Option { R468, R130, R97, STD, R134, R138, R362, R177, R60, R621, R168 };

double hz(const ConstChannelBlock& block, ToneSlot s) {
    return block.tone(s).tenthsHz / 10.0;
}

bool strictlyInside(double u, double p) {
    return u > p * (1 - kSpacing) && u < p * (1 + kSpacing);
}

constexpr ToneSlot t1(int c) {
    return {ToneKind::Tone1, c};
}
constexpr ToneSlot t2(int c) {
    return {ToneKind::Tone2, c};
}
constexpr ToneSlot grp(int g) {
    return {ToneKind::Group, g};
}

// The named partners of a slot under an option, in the order they are tried.
std::vector<ToneSlot> namedPartners(int option, ToneSlot slot) {
    const bool call1 = slot.index == 1;
    const bool call2 = slot.index == 2;
    switch (slot.kind) {
    case ToneKind::Tone1:
        if (call1 && option == R134)
            return {grp(2)};
        if (call1 && option == R362)
            return {grp(1)};
        if (call1 && (option == R177 || option == R60))
            return {t1(2)};
        if (call2 && (option == R177 || option == R60))
            return {t1(1)};
        break;
    case ToneKind::Tone2:
        if (call1 && (option == R468 || option == R130 || option == R97))
            return {t2(2)};
        if (call1 && option == R134)
            return {grp(2)};
        if (call1 && option == R362)
            return {grp(1)};
        if (call2 && (option == R468 || option == R130 || option == R97))
            return {t2(1)};
        break;
    case ToneKind::Group:
        if (isOwnLongC(option, slot))
            return {t1(1), t2(1)};
        break;
    }
    return {};
}

// The R168 (None) search order starts with the slot's own kind.
std::vector<ToneSlot> searchOrder(ToneKind kind) {
    std::vector<ToneSlot> out;
    const auto calls = [&](ToneKind k) {
        for (int c = 1; c <= kCallCount; ++c)
            out.push_back({k, c});
    };
    const auto groups = [&] {
        for (int g = 1; g <= kGroupCount; ++g)
            out.push_back(grp(g));
    };
    switch (kind) {
    case ToneKind::Tone1:
        calls(ToneKind::Tone1);
        calls(ToneKind::Tone2);
        groups();
        break;
    case ToneKind::Tone2:
        calls(ToneKind::Tone2);
        calls(ToneKind::Tone1);
        groups();
        break;
    case ToneKind::Group:
        groups();
        calls(ToneKind::Tone1);
        calls(ToneKind::Tone2);
        break;
    }
    return out;
}

} // namespace

bool isOwnLongC(int option, ToneSlot slot) {
    return slot.kind == ToneKind::Group &&
           ((option == R134 && slot.index == 2) || (option == R362 && slot.index == 1));
}

bool tooClose(double tone, double other) {
    return other * (1 - kSpacing) <= tone && tone <= other * (1 + kSpacing);
}

std::optional<double> matchPartner(const ConstChannelBlock& block, int codingOption, ToneSlot slot,
                                   double typed, double snapped, bool toneSystemChanged) {
    if (codingOption == R168) {
        if (toneSystemChanged)
            return std::nullopt;
        std::optional<double> best;
        double bestDistance = 0;
        for (ToneSlot s : searchOrder(slot.kind)) {
            if (s == slot)
                continue;
            const double p = hz(block, s);
            if (p == 0 || !strictlyInside(typed, p))
                continue;
            const double d = std::fabs(typed - p);
            if (!best || d < bestDistance) {
                best = p;
                bestDistance = d;
            }
        }
        return best;
    }
    const double u = isOwnLongC(codingOption, slot) ? snapped : typed;
    for (ToneSlot s : namedPartners(codingOption, slot)) {
        const double p = hz(block, s);
        if (u != p && strictlyInside(u, p))
            return p;
    }
    return std::nullopt;
}

} // namespace quorl
