// The tone finder's speed and accuracy on scanner-like recordings.
//
// BM_FindTones: 60 s of 16 kHz audio (stacked pages, speech, noise, the radio's
// band-pass); the counter xRealTime is seconds of audio per second of work on one
// core. BM_Accuracy: 300 random tones of 0.5 to 3 s from 300 to 3,000 Hz at 8 kHz,
// 15 dB SNR after a 300-3,000 Hz band-pass; counters give the worst frequency and
// duration errors and tones missed. BM_SpeechFalseTones: 10 minutes of speech and
// noise, the number of tones reported (there are none).
#include "tones/tone_finder.h"

#include "tests/support/test_signals.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <random>
#include <vector>

namespace {

using namespace quorl;

std::vector<float> dispatchMinute(int rate) {
    std::mt19937 rng(60);
    std::vector<float> x(static_cast<std::size_t>(60 * rate));
    for (double t = 0; t + 15 <= 60; t += 15) {
        test::addVoice(x, rate, t, 2.0, 0.4, rng);
        test::addTone(x, rate, t + 2.5, 1.0, 349.0, 0.5);
        test::addTone(x, rate, t + 3.5, 3.0, 832.5, 0.5);
        test::addTone(x, rate, t + 6.5, 1.0, 1513.5, 0.5);
        test::addTone(x, rate, t + 7.5, 3.0, 600.9, 0.5);
        test::addVoice(x, rate, t + 11.0, 3.5, 0.4, rng);
    }
    test::addBandNoise(x, rate, 0.5, 20, rng);
    test::radioBandPass(x, rate);
    return x;
}

void BM_FindTones(benchmark::State& state) {
    const int rate = 16000;
    const std::vector<float> x = dispatchMinute(rate);
    std::size_t found = 0;
    for (auto _ : state) {
        found = tones::findTones(x, rate).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["tones"] = static_cast<double>(found);
    state.counters["xRealTime"] = benchmark::Counter(60.0 * static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FindTones)->Unit(benchmark::kMillisecond);

void BM_Accuracy(benchmark::State& state) {
    const int rate = 8000;
    std::mt19937 rng(15);
    std::uniform_real_distribution<double> hz(300, 3000), seconds(0.5, 3.0);
    double worstHz = 0, worstDuration = 0;
    int missed = 0, trials = 0;
    for (auto _ : state) {
        for (int i = 0; i < 300; ++i, ++trials) {
            const double f = hz(rng), d = seconds(rng);
            std::vector<float> x(static_cast<std::size_t>((d + 1.0) * rate));
            test::addTone(x, rate, 0.5, d, f, 0.5);
            test::addBandNoise(x, rate, 0.5, 15, rng);
            test::radioBandPass(x, rate);
            const auto found = tones::findTones(x, rate);
            if (found.size() != 1) {
                ++missed;
                continue;
            }
            worstHz = std::max(worstHz, std::abs(found[0].hz - f));
            worstDuration = std::max(worstDuration, std::abs(found[0].duration - d));
        }
    }
    state.counters["trials"] = trials;
    state.counters["missed"] = missed;
    state.counters["worstHzError"] = worstHz;
    state.counters["worstDurationErrorMs"] = worstDuration * 1000;
}
BENCHMARK(BM_Accuracy)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_SpeechFalseTones(benchmark::State& state) {
    const int rate = 8000;
    std::mt19937 rng(10);
    const std::vector<float> x = test::speechAndNoise(rate, 600, rng);
    std::size_t found = 0;
    for (auto _ : state)
        found = tones::findTones(x, rate).size();
    state.counters["falseTones"] = static_cast<double>(found);
}
BENCHMARK(BM_SpeechFalseTones)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
