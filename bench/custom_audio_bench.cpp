// Time of Write Custom Audio for all thirteen slots (the default recordings) on one
// simulated cradle with replies paced at the line's rate, at the operation's real sleeps
// and time-outs, against the line-rate floor: the bytes sent at 11 bits a byte and
// 57,600 baud, plus the prescribed sleeps, plus the simulated erase. Target: at most
// 1.10 times the floor.
#include "audio/custom_audio_slots.h"
#include "audio/voice_build.h"
#include "codeplug/default_codeplug.h"
#include "link/codeplug_operation.h"
#include "link/custom_audio_download.h"
#include "link/operation_host.h"
#include "link/sim/pager_simulator.h"
#include "link/sim/printing_host.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr int kEraseMs = 300;       // the simulator's erase time
constexpr double kLineBaud = 57600; // 11 bits a byte: start, 8 data, 2 stop

} // namespace

int main() {
    namespace fs = std::filesystem;
    const fs::path install = QUORL_BENCH_STAGE_DATA_DIR;
    const fs::path library = fs::path(QUORL_BENCH_LIB_DIR) / "libVQ4.so";
    const fs::path folder = fs::temp_directory_path() / "quorl-audio-bench";
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_all);

    quorl::sim::SimulatorOptions options;
    options.pace = quorl::sim::LinePace{};
    quorl::sim::PagerModel model(quorl::makeDefaultCodeplug(quorl::vhfFiveChannelFactory()));
    model.setEraseDelayMs(kEraseMs);
    quorl::sim::PagerSimulator pager(std::move(model), options);
    std::string error;
    if (!pager.start(error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    std::array<quorl::DownloadSlot, quorl::kDownloadSlots> slots{};
    for (int i = 0; i < quorl::kDownloadSlots; ++i)
        slots[static_cast<std::size_t>(i)] = {true, quorl::defaultRecording(install, i)};

    quorl::VoiceBuild voice(folder, library.string());
    quorl::sim::PrintingHost host;
    const auto started = std::chrono::steady_clock::now();
    const auto outcome = quorl::runOperationOnDevice(
        pager.devicePath(), host,
        [&](quorl::PagerLink& link, quorl::OperationHost& h) {
            return quorl::downloadCustomAudio(
                link, h, slots,
                [&](int slot, const std::string& wav) { return voice.build(slot, wav); });
        },
        quorl::OperationSelector::CustomAudioDownload);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (outcome != quorl::OperationOutcome::Succeeded) {
        std::fprintf(stderr, "the download failed\n");
        return 1;
    }

    // The floor, from the frames the pager received: presence query 5 bytes, erase 11,
    // a part 522; sleeps: 50 ms after the query, 100 ms after the erase, 200 ms after
    // each part, 100 ms at the end.
    const auto log = pager.commandLog();
    const auto count = [&](std::uint8_t c) {
        return static_cast<double>(std::count(log.begin(), log.end(), c));
    };
    const double bytes = 5 * count(0x70) + 11 * count(0xA6) + 522 * count(0xA1);
    const double line = bytes * 11 / kLineBaud;
    const double sleeps = (50 * count(0x70) + 100 * count(0xA6) + 200 * count(0xA1) + 100) / 1000;
    const double erase = kEraseMs * count(0xA6) / 1000;
    const double floor = line + sleeps + erase;
    std::printf("slots %d, frames: query %.0f, erase %.0f, parts %.0f\n", quorl::kDownloadSlots,
                count(0x70), count(0xA6), count(0xA1));
    std::printf("bytes sent %.0f, line time %.2f s, sleeps %.2f s, erase %.2f s\n", bytes, line,
                sleeps, erase);
    // The line runs while the program sleeps: a frame costs its sleep or its line time,
    // whichever is longer, and the erase what it takes beyond its sleep.
    const auto frameCost = [](double bytesOfFrame, double sleepMs) {
        return std::max(bytesOfFrame * 11 / kLineBaud, sleepMs / 1000);
    };
    const double overlapped = count(0x70) * frameCost(5, 50) + count(0xA6) * frameCost(11, 100) +
                              count(0xA1) * frameCost(522, 200) +
                              count(0xA6) * std::max(0, kEraseMs - 100) / 1000.0 + 0.1;
    std::printf("measured %.2f s, floor %.2f s, ratio %.3f\n", seconds, floor, seconds / floor);
    std::printf("floor with the line running during the sleeps %.2f s, ratio %.3f\n", overlapped,
                seconds / overlapped);
    fs::remove_all(folder);
    return 0;
}
