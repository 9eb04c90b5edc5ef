// Time to preview a 10 s prompt for every compression type: the recording compressed
// through the loaded libVQ4.so exactly as a download compresses it, then decoded by the
// library (VoiceBuild::hear, what "Preview ▶" and `quorl audio preview` run). Target:
// under 0.5 s for the plain types; the enhanced and VBR types run in the window's
// background thread.
#include "audio/voice_build.h"
#include "tests/voicelib/test_wav.h"

#include "bench/every_compression_type.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

const fs::path& tenSecondPrompt() {
    static const fs::path path = [] {
        const fs::path p = fs::temp_directory_path() / "quorl-preview-bench.wav";
        // 10 s at 8 kHz is larger than a slot's WAV check allows; the library and the
        // preview take it all the same.
        quorl::vq4::test::writeWav(p, quorl::vq4::test::voiceLike(80000));
        return p;
    }();
    return path;
}

void previewTenSeconds(benchmark::State& state) {
    const int type = static_cast<int>(state.range(0));
    const fs::path folder = fs::temp_directory_path() / "quorl-preview-bench";
    for (auto _ : state) {
        quorl::VoiceBuild build(folder, QUORL_BENCH_LIBRARY);
        const auto heard = build.hear(tenSecondPrompt().string(), type, 3);
        if (!heard) {
            state.SkipWithError(build.problem().c_str());
            return;
        }
        benchmark::DoNotOptimize(heard->samples.data());
    }
}

BENCHMARK(previewTenSeconds)
    ->Apply(everyCompressionType)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.3);

} // namespace

BENCHMARK_MAIN();
