// Encode speed of the voice library's codecs on a 60-second prompt at 8 kHz.
// Counters: samples per second and the multiple of real time.
#include "voicelib/codec_types.h"
#include "voicelib/project_state.h"
#include "voicelib/stream_encoder.h"
#include "voicelib/voice_compressor.h"
#include "voicelib/vq4.h"

#include "bench/every_compression_type.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace quorl::vq4;

constexpr int kRate = 8000;
constexpr std::size_t kSamples = 60 * kRate;

const std::vector<std::int16_t>& prompt() {
    static const std::vector<std::int16_t> samples = [] {
        std::mt19937 rng(11);
        std::normal_distribution<double> noise(0.0, 200.0);
        std::vector<std::int16_t> s(kSamples);
        for (std::size_t i = 0; i < kSamples; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double env = 0.5 + 0.5 * std::sin(2 * M_PI * 2.5 * t);
            const double v =
                9000 * env *
                    (0.6 * std::sin(2 * M_PI * (180 + 60 * std::sin(0.7 * t)) * t) +
                     0.3 * std::sin(2 * M_PI * 900 * t) + 0.1 * std::sin(2 * M_PI * 2300 * t)) +
                noise(rng);
            s[i] = static_cast<std::int16_t>(std::lround(std::fmax(-32768, std::fmin(32767, v))));
        }
        return s;
    }();
    return samples;
}

void setCounters(benchmark::State& state) {
    const auto total = static_cast<double>(state.iterations() * kSamples);
    state.counters["samples/s"] = benchmark::Counter(total, benchmark::Counter::kIsRate);
    state.counters["x_realtime"] = benchmark::Counter(total / kRate, benchmark::Counter::kIsRate);
}

// Encoding alone, in memory, with the decoded samples the check WAV gets.
void BM_Encode(benchmark::State& state) {
    const auto codec = codecInfo(static_cast<int>(state.range(0)));
    std::vector<std::int16_t> decoded;
    for (auto _ : state) {
        auto stream = encodeStream(*codec, 3, prompt(), decoded);
        benchmark::DoNotOptimize(stream.data());
    }
    state.SetLabel(codec->name);
    setCounters(state);
}
BENCHMARK(BM_Encode)->Apply(everyCompressionType)->Unit(benchmark::kMillisecond);

// A whole VQ4CompressVoice-equivalent call: WAV reading, stream file, check
// WAV and statistics (the resampled copy is already up to date).
void BM_CompressFile(benchmark::State& state) {
    const int type = static_cast<int>(state.range(0));
    const fs::path dir =
        fs::temp_directory_path() / ("quorl-vq4-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path source = dir / "prompt.wav";
    {
        std::ofstream out(source, std::ios::binary);
        auto put32 = [&out](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
        auto put16 = [&out](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
        out.write("RIFF", 4);
        put32(static_cast<std::uint32_t>(36 + kSamples * 2));
        out.write("WAVEfmt ", 8);
        put32(16);
        put16(1);
        put16(1);
        put32(kRate);
        put32(kRate * 2);
        put16(2);
        put16(16);
        out.write("data", 4);
        put32(static_cast<std::uint32_t>(kSamples * 2));
        out.write(reinterpret_cast<const char*>(prompt().data()),
                  static_cast<std::streamsize>(kSamples * 2));
    }
    ProjectConfig config{};
    std::snprintf(config.projectDir, sizeof config.projectDir, "%s", dir.c_str());
    config.clockConfigurationByte = 0x24;
    config.clockInputFrequency = 4096000;
    openProject(config);
    const std::string tag = codecInfo(type)->tag;
    const fs::path check = dir / "WavFiles" / ("prompt_8000_" + tag + ".wav");
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(check);
        state.ResumeTiming();
        const auto r = compressVoice(source.string(), 3, type);
        if (!r.ok || r.upToDate)
            state.SkipWithError("compression did not run");
    }
    state.SetLabel(codecInfo(type)->name);
    setCounters(state);
    fs::remove_all(dir);
}
BENCHMARK(BM_CompressFile)->Arg(4)->Arg(12)->Arg(28)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
