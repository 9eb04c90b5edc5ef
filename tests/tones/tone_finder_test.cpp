// The tone finder on recordings as a scanner delivers them.
#include "tones/page_grouping.h"
#include "tones/tone_finder.h"

#include "tests/support/test_signals.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorl::tones {
namespace {

struct Sent {
    double start, seconds, hz;
};

// Two stacked two-tone pages without a gap, then a long tone, with speech before,
// between and after: what a brigade's dispatch sounds like on a scanner.
const Sent kSent[] = {
    {0.8, 1.0, 349.0}, {1.8, 3.0, 832.5}, {4.8, 1.0, 1513.5}, {5.8, 3.0, 600.9}, {9.5, 5.0, 2468.2},
};
const double kAmplitude = 0.5;

struct Harsh {
    const char* name;
    int rate;
    double snrDb;  // in the radio band; 0 = no noise
    bool bandPass; // the radio's 300-3,000 Hz audio path
    float clipAt;  // 0 = no clipping
    double stepDb; // level change from 7 s on (an AGC settling); 0 = none
    bool clicks;   // single-sample clicks inside tones and in the pauses
    bool voice;    // speech in the pauses
};

std::vector<float> recording(const Harsh& h, std::mt19937& rng) {
    std::vector<float> x(static_cast<std::size_t>(16 * h.rate));
    if (h.voice) {
        test::addVoice(x, h.rate, 0.0, 0.7, 0.4, rng);
        test::addVoice(x, h.rate, 8.9, 0.5, 0.4, rng);
        test::addVoice(x, h.rate, 14.6, 1.3, 0.4, rng);
    }
    for (const Sent& s : kSent)
        test::addTone(x, h.rate, s.start, s.seconds, s.hz, kAmplitude);
    if (h.snrDb > 0)
        test::addBandNoise(x, h.rate, kAmplitude, h.snrDb, rng);
    if (h.bandPass)
        test::radioBandPass(x, h.rate);
    if (h.stepDb != 0)
        for (std::size_t i = static_cast<std::size_t>(7 * h.rate); i < x.size(); ++i)
            x[i] *= static_cast<float>(std::pow(10.0, h.stepDb / 20));
    if (h.clicks)
        for (double t : {0.3, 1.3, 2.5, 6.1, 9.1, 11.0})
            x[static_cast<std::size_t>(t * h.rate)] = 0.95f;
    if (h.clipAt > 0)
        test::clip(x, h.clipAt);
    return x;
}

TEST(ToneFinder, FindsEveryToneAndPageOfHarshRecordings) {
    const Harsh cases[] = {
        {"clean 16 kHz", 16000, 0, false, 0, 0, false, false},
        {"15 dB radio at 8 kHz", 8000, 15, true, 0, 0, false, false},
        {"15 dB radio, speech, clicks at 11025 Hz", 11025, 15, true, 0, 0, true, true},
        {"hard clipping at 44.1 kHz", 44100, 25, true, 0.2f, 0, false, true},
        {"level drop of 15 dB at 48 kHz", 48000, 20, true, 0, -15, true, false},
        {"level rise of 10 dB, clipped, at 8 kHz", 8000, 15, true, 0.45f, 10, false, true},
    };
    std::mt19937 rng(26);
    for (const Harsh& h : cases) {
        SCOPED_TRACE(h.name);
        const auto found = findTones(recording(h, rng), h.rate);
        ASSERT_EQ(found.size(), std::size(kSent));
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_NEAR(found[i].hz, kSent[i].hz, 0.2) << i;
            EXPECT_NEAR(found[i].start, kSent[i].start, 0.03) << i;
            EXPECT_NEAR(found[i].duration, kSent[i].seconds, 0.03) << i;
        }
        const auto pages = groupPages(found);
        ASSERT_EQ(pages.size(), 3u);
        EXPECT_EQ(pages[0].hz.size(), 2u);
        EXPECT_NEAR(pages[1].hz[0], 1513.5, 0.2);
        EXPECT_NEAR(pages[1].hz[1], 600.9, 0.2);
        ASSERT_EQ(pages[2].hz.size(), 1u);
    }
}

TEST(ToneFinder, LevelIsThePeakLevelOfTheTone) {
    const struct { double amplitude, dbfs; } cases[] = {{1.0, 0.0}, {0.5, -6.0}, {0.01, -40.0}};
    for (const auto& c : cases) {
        std::vector<float> x;
        test::addTone(x, 8000, 0.2, 1.0, 1000.0, c.amplitude);
        x.resize(12000);
        const auto found = findTones(x, 8000);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_NEAR(found[0].dbfs, c.dbfs, 0.1);
    }
}

TEST(ToneFinder, NothingInSpeechAndNoise) {
    const int rate = 8000;
    std::mt19937 rng(7);
    const std::vector<float> x = test::speechAndNoise(rate, 60, rng);
    const auto found = findTones(x, rate);
    EXPECT_TRUE(found.empty()) << found.size() << " tones, first at " << found[0].start;
}

TEST(ToneFinder, ShortBlipsAreNoTones) {
    // 0.2 s is below the shortest tone; 0.3 s is above it.
    std::vector<float> x(16000 * 2);
    test::addTone(x, 16000, 0.1, 0.2, 1000.0, 0.5);
    test::addTone(x, 16000, 1.0, 0.3, 1200.0, 0.5);
    const auto found = findTones(x, 16000);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NEAR(found[0].hz, 1200.0, 0.2);
}

} // namespace
} // namespace quorl::tones
