// Test pages: lengths, level, frequency, clean ends and the timing of each layout.
#include "codeplug/default_codeplug.h"
#include "tones/page_sequence.h"
#include "tones/page_synthesis.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorl::tones {
namespace {

// Upward zero crossings over [from, to): a sine of f Hz has f per second.
int upwardCrossings(const std::vector<float>& x, std::size_t from, std::size_t to) {
    int n = 0;
    for (std::size_t i = from + 1; i < to; ++i)
        n += x[i - 1] < 0 && x[i] >= 0;
    return n;
}

TEST(PageSynthesis, LengthsLevelAndFrequencyAtEveryRate) {
    struct Case {
        int rate;
        PageTiming timing;
        std::size_t expectedSamples; // worked out by hand from the timing
    };
    PageTiming gapped;
    gapped.gapMs = 250;
    gapped.repeat = 2;
    gapped.levelDbfs = -20;
    const Case cases[] = {
        {8000, {}, 32000},       // 1 s + 3 s
        {16000, {}, 64000},      //
        {44100, {}, 176400},     //
        {48000, gapped, 420000}, // (1 + .25 + 3) + .25 + (1 + .25 + 3) s = 8.75 s
    };
    for (const Case& c : cases) {
        const auto x = synthesizePage({{{349.0, c.timing.aSeconds}, {832.5, c.timing.bSeconds}}},
                                      c.timing, c.rate);
        ASSERT_EQ(x.size(), c.expectedSamples) << c.rate;
        float peak = 0;
        for (float s : x)
            peak = std::max(peak, std::abs(s));
        EXPECT_NEAR(peak, std::pow(10.0, c.timing.levelDbfs / 20), 1e-3) << c.rate;
        // Tone A over its first second: 349 crossings, tone B over the next three: 2497.5.
        const auto r = static_cast<std::size_t>(c.rate);
        EXPECT_NEAR(upwardCrossings(x, 0, r), 349, 1) << c.rate;
        const std::size_t bStart = r + static_cast<std::size_t>(c.timing.gapMs * c.rate / 1000);
        EXPECT_NEAR(upwardCrossings(x, bStart, bStart + 3 * r), 2497, 1) << c.rate;
    }
}

TEST(PageSynthesis, ShapedEndsAndNoStepBetweenTones) {
    const int rate = 16000;
    const auto x = synthesizePage({{{1000.0, 1.0}, {1500.0, 3.0}}}, {}, rate);
    const double amplitude = std::pow(10.0, -6.0 / 20);
    EXPECT_EQ(x.front(), 0.0f);
    EXPECT_LT(std::abs(x.back()), 0.02f);
    // Within the 5 ms (80 samples) rise the level is below the raised cosine's bound.
    for (std::size_t i = 0; i < 80; ++i)
        EXPECT_LE(std::abs(x[i]),
                  amplitude * (0.5 - 0.5 * std::cos(M_PI * static_cast<double>(i) / 80.0)) + 1e-4)
            << i;
    // No sample-to-sample step larger than the faster tone's steepest slope allows.
    const double steepest = amplitude * 2 * M_PI * 1500 / rate;
    for (std::size_t i = 1; i < x.size(); ++i)
        ASSERT_LE(std::abs(x[i] - x[i - 1]), steepest + 1e-4) << i;
}

TEST(PageSynthesis, TimingFollowsTheCallLayout) {
    // Factory VHF codeplug: F1 STD (Call 1 = 349.0 - 832.5), F3 R468 (Call 2 =
    // 410.8 - 746.8, Group 1 "Long B" = 634.5, Group 2 "Long C" = 746.8).
    const CodeplugImage image = makeDefaultCodeplug(vhfFiveChannelFactory());
    PageTiming t;
    t.aSeconds = 0.7;
    t.bSeconds = 2.5;
    t.longSeconds = 6.0;
    struct Case {
        PageRequest request;
        std::vector<ToneBurst> expected;
        bool fails;
    };
    const Case cases[] = {
        {{0, 1, 0}, {{349.0, 0.7}, {832.5, 2.5}}, false},
        {{2, 2, 0}, {{410.8, 0.7}, {746.8, 2.5}}, false},
        {{2, 0, 1}, {{634.5, 6.0}}, false},
        {{2, 0, 2}, {{746.8, 6.0}}, false},
        {{0, 2, 0}, {}, true}, // STD has one call address
        {{0, 0, 1}, {}, true}, // and no group call
        {{5, 1, 0}, {}, true}, // F6
    };
    for (const Case& c : cases) {
        const SequenceResult r = sequenceForEntry(image, c.request, t);
        EXPECT_EQ(!r.problem.empty(), c.fails) << r.problem;
        ASSERT_EQ(r.sequence.tones.size(), c.expected.size());
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_DOUBLE_EQ(r.sequence.tones[i].hz, c.expected[i].hz);
            EXPECT_DOUBLE_EQ(r.sequence.tones[i].seconds, c.expected[i].seconds);
        }
    }
}

} // namespace
} // namespace quorl::tones
