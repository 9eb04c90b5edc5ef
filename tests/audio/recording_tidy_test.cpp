// Tidying through the real libsox: where the sound starts and ends, and the peak.
#include "audio/pcm_wav.h"
#include "audio/recording_tidy.h"
#include "audio/wav_check.h"
#include "tests/voicelib/test_wav.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>

namespace quorl {
namespace {

using vq4::test::TempDir;

// 0.3 s of near silence, 0.5 s of a voice-like burst over 50 Hz rumble, 0.4 s of
// near silence; interleaved stereo at `rate` (both channels alike).
std::vector<std::int16_t> burst(int rate, double level) {
    const auto n = static_cast<std::size_t>(rate * 1.2);
    std::vector<std::int16_t> out;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        const bool sound = t >= 0.3 && t < 0.8;
        double v = 20.0 * std::sin(2 * M_PI * 1733 * t); // hiss far below 1 %
        if (sound)
            v +=
                level * (0.7 * std::sin(2 * M_PI * 440 * t) + 0.3 * std::sin(2 * M_PI * 1100 * t)) +
                0.3 * level * std::sin(2 * M_PI * 50 * t);
        const auto s = static_cast<std::int16_t>(std::lround(v));
        out.push_back(s);
        out.push_back(s);
    }
    return out;
}

double peakDbfs(const std::vector<std::int16_t>& s) {
    int peak = 0;
    for (const auto v : s)
        peak = std::max(peak, std::abs(static_cast<int>(v)));
    return 20 * std::log10(peak / 32768.0);
}

TEST(RecordingTidy, TrimsToTheSoundAndSetsThePeak) {
    TempDir dir("tidy");
    const auto input = dir.path() / "take.wav";
    vq4::test::writeWav(input, burst(16000, 4000), vq4::test::WavFormat{16000, 2});
    for (const double target : {-1.0, -6.0}) {
        SCOPED_TRACE(target);
        TidySettings settings;
        settings.normalizeDbfs = target;
        const TidyResult r = tidyRecording(input, settings);
        ASSERT_EQ(r.problem, "");
        // 20 ms at 8 kHz either side of the half second of sound.
        const std::size_t tolerance = 160;
        const auto loud = [](std::int16_t v) { return std::abs(static_cast<int>(v)) > 328; };
        const auto first = std::find_if(r.samples.begin(), r.samples.end(), loud);
        const auto last = std::find_if(r.samples.rbegin(), r.samples.rend(), loud);
        ASSERT_NE(first, r.samples.end());
        EXPECT_LE(static_cast<std::size_t>(first - r.samples.begin()), tolerance);
        EXPECT_LE(static_cast<std::size_t>(last - r.samples.rbegin()), tolerance);
        EXPECT_NEAR(static_cast<double>(r.samples.size()), 4000.0, 2.0 * tolerance);
        EXPECT_NEAR(peakDbfs(r.samples), target, 0.1);
    }
}

TEST(RecordingTidy, OnlyTheChosenStepsRun) {
    TempDir dir("tidy-steps");
    const auto input = dir.path() / "take.wav";
    vq4::test::writeWav(input, burst(8000, 4000), vq4::test::WavFormat{8000, 2});
    TidySettings none;
    none.trim = false;
    none.compress = false;
    none.normalizeDbfs.reset();
    none.highpassHz.reset();
    const TidyResult plain = tidyRecording(input, none);
    ASSERT_EQ(plain.problem, "");
    // Nothing but the mixdown: every sample as it was, silence kept.
    const auto source = burst(8000, 4000);
    ASSERT_EQ(plain.samples.size(), source.size() / 2);
    for (std::size_t i = 0; i < plain.samples.size(); i += 997)
        EXPECT_NEAR(plain.samples[i], source[2 * i], 1) << i;

    TidySettings trimOnly = none;
    trimOnly.trim = true;
    EXPECT_NEAR(static_cast<double>(tidyRecording(input, trimOnly).samples.size()), 4000.0, 320.0);
}

TEST(RecordingTidy, TheResultPassesTheSlotCheck) {
    TempDir dir("tidy-check");
    vq4::test::writeWav(dir.path() / "take.wav", burst(16000, 4000),
                        vq4::test::WavFormat{16000, 2});
    const TidyResult r = tidyRecording(dir.path() / "take.wav", {});
    ASSERT_EQ(r.problem, "");
    vq4::test::writeBytes(dir.path() / "tidy.wav", [&] {
        const auto bytes = pcmWavBytes(r.samples, kTidyRate);
        return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }());
    EXPECT_EQ(checkWav(dir.path() / "tidy.wav").status, WavCheck::Ok);
}

TEST(RecordingTidy, ReadsItsSettingsTheSameUnderADecimalCommaLocale) {
    // The program runs under the desktop's locale; a German one writes "1,5".
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no German locale installed";
    TempDir dir("tidy-locale");
    vq4::test::writeWav(dir.path() / "take.wav", burst(8000, 4000), vq4::test::WavFormat{8000, 2});
    TidySettings settings;
    settings.normalizeDbfs = -1.5;
    const TidyResult r = tidyRecording(dir.path() / "take.wav", settings);
    std::setlocale(LC_NUMERIC, previous.c_str());
    ASSERT_EQ(r.problem, "");
    EXPECT_NEAR(peakDbfs(r.samples), -1.5, 0.1);
}

TEST(RecordingTidy, SaysWhatItCannotRead) {
    TempDir dir("tidy-bad");
    vq4::test::writeBytes(dir.path() / "text.wav", "not a recording at all");
    EXPECT_NE(tidyRecording(dir.path() / "text.wav", {}).problem, "");
    EXPECT_NE(tidyRecording(dir.path() / "missing.wav", {}).problem, "");
}

} // namespace
} // namespace quorl
