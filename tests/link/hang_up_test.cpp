// Unplugging the cradle in every phase of an operation: the exchange times out with its
// message, promptly, the port is let go, and the next operation on a cradle works.
#include "audio/custom_audio_slots.h"
#include "audio/voice_build.h"
#include "codeplug/codeplug_state.h"
#include "link/codeplug_operation.h"
#include "link/custom_audio_download.h"
#include "link/link_shared.h"
#include "link/link_texts.h"
#include "link/operation_texts.h"
#include "tests/support/link_test_support.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>

namespace quorl {
namespace {

using Clock = std::chrono::steady_clock;

const std::filesystem::path kInstall = QUORL_TEST_STAGE_DATA_DIR;
const std::filesystem::path kLibrary = std::filesystem::path(QUORL_TEST_LIB_DIR) / "libVQ4.so";

// Notes when the first message was shown.
class TimedHost : public test::RecordingHost {
public:
    void showMessage(std::string_view text, MessageIcon icon) override {
        {
            std::lock_guard lock(mutex_);
            if (firstMessage_ == Clock::time_point{})
                firstMessage_ = Clock::now();
        }
        RecordingHost::showMessage(text, icon);
    }
    Clock::time_point firstMessage() const {
        std::lock_guard lock(mutex_);
        return firstMessage_;
    }

private:
    mutable std::mutex mutex_;
    Clock::time_point firstMessage_{};
};

struct Phase {
    const char* name;
    OperationSelector selector;
    int hangUpAfter; // frames answered before the cradle goes
    std::string_view message;
};

std::ostream& operator<<(std::ostream& out, const Phase& p) {
    return out << p.name;
}

const std::string kWriteError10 =
    "Write Error #10 \r\n\r\nUnable to write the pager; connection timed out. Please try again. ";

class HangUpTest : public ::testing::TestWithParam<Phase> {
protected:
    HangUpTest() { ::setenv("QUORL_BUILD_DIR", build.path().c_str(), 1); }

    OperationOutcome run(OperationSelector selector, OperationHost& host) {
        state->loadBoth(test::defaultTestCodeplug());
        VoiceBuild voice(build.path(), kLibrary.string());
        std::array<DownloadSlot, kDownloadSlots> slots{};
        slots[0] = {true, defaultRecording(kInstall, 0)};
        const auto outcome =
            runPagerOperation(selector, *state, host, [&](PagerLink& port, OperationHost& h) {
                return downloadCustomAudio(port, h, slots, [&](int slot, const std::string& wav) {
                    return voice.build(slot, wav);
                });
            });
        return outcome;
    }

    test::TempDir build;
    std::unique_ptr<CodeplugState> state = std::make_unique<CodeplugState>();
};

TEST_P(HangUpTest, TimesOutWithItsMessageAndTheNextOperationWorks) {
    const Phase& phase = GetParam();
    TimedHost host;
    Clock::time_point hungUp;
    {
        sim::SimulatorOptions options = test::pacedLine();
        options.hangUpAfter = phase.hangUpAfter;
        // The prescribed time-outs: the message must come within 3.5 s of the hang-up.
        test::SimulatedCradle cradle(options, 0.1, 1.0);
        ASSERT_EQ(run(phase.selector, host), OperationOutcome::Failed);
        hungUp = cradle.sim().hungUpAt();
        ASSERT_NE(hungUp, Clock::time_point{}) << "the cradle was pulled";
    }
    const auto messages = host.messages();
    ASSERT_EQ(messages.size(), 1u) << ::testing::PrintToString(messages);
    EXPECT_EQ(messages[0], phase.message);
    const auto late =
        std::chrono::duration_cast<std::chrono::milliseconds>(host.firstMessage() - hungUp);
    EXPECT_LT(late.count(), 3500) << "message " << late.count() << " ms after the hang-up";

    // The cradle is back (on a new device, as a replug gives): the next operation works.
    test::SimulatedCradle back(test::pacedLine(), 0.1, 1.0);
    test::RecordingHost quiet;
    EXPECT_EQ(run(phase.selector, quiet), OperationOutcome::Succeeded)
        << ::testing::PrintToString(quiet.messages());
}

INSTANTIATE_TEST_SUITE_P(
    EveryPhase, HangUpTest,
    ::testing::Values(
        Phase{"BeforeProgrammingMode", OperationSelector::CodeplugRead, 1, link_texts::kReadError5},
        Phase{"MidRead", OperationSelector::CodeplugRead, 10, link_texts::kReadError5},
        Phase{"MidWrite", OperationSelector::CodeplugWrite, 10, op_texts::kWriteError5},
        Phase{"DuringAnErase", OperationSelector::CustomAudioDownload, 1, kWriteError10},
        Phase{"DuringAPartWrite", OperationSelector::CustomAudioDownload, 5, kWriteError10}),
    [](const ::testing::TestParamInfo<Phase>& p) { return std::string(p.param.name); });

} // namespace
} // namespace quorl
