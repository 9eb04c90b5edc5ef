#include "codeplug/default_codeplug.h"
#include "editors/function_switch_tab.h"
#include "link/audition_exchange.h"
#include "tests/support/link_test_support.h"

#include <gtest/gtest.h>
#include <memory>
#include <mutex>

namespace quorl {
namespace {

// The Function Switches tab's Enhanced audition, sent to the simulated pager: the
// preview command with the five bytes from the edit image, and its duration.
TEST(SwitchAudition, EnhancedPreviewReachesThePager) {
    sim::SimulatorOptions options;
    options.log = true;
    test::SimulatedCradle cradle(test::pacedLine(options), 0.02, 1.0);
    std::mutex mutex;
    std::vector<std::string> lines;
    cradle.sim().setLogSink([&](const std::string& line) {
        std::lock_guard lock(mutex);
        lines.push_back(line);
    });

    auto state = std::make_unique<CodeplugState>();
    state->loadBoth(makeDefaultCodeplug(vhfFiveChannelFactory()));
    const std::uint32_t sw = SwitchEntry::address(2);
    state->image.set(sw, 0x35); // Monitor F1, Tone & Vibrate
    state->editImage.set(sw, 0x35);
    AuditionState auditions;
    FunctionSwitchTab tab(*state, auditions);
    tab.open(true);
    tab.announcementChanged(2, 1); // Enhanced
    state->editImage.set(sw + 3, static_cast<std::uint8_t>(state->editImage.at(sw + 3) | 0x03));
    const auto request = tab.playPager(2);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->durationMs, 5500);

    AuditionCommand command;
    command.command = request->command;
    command.parameters = request->parameters;
    command.durationMs = request->durationMs;
    int timerMs = 0;
    test::RecordingHost host;
    ASSERT_EQ(auditionExchange(host, command, [&](int, int ms) { timerMs = ms; }),
              AuditionResult::Started);
    EXPECT_EQ(timerMs, 5500);
    std::lock_guard lock(mutex);
    bool seen = false;
    for (const auto& line : lines)
        seen = seen || line.find("<- 02 71 B6 00 05 05 01 02 03 64") != std::string::npos;
    EXPECT_TRUE(seen) << ::testing::PrintToString(lines);
}

} // namespace
} // namespace quorl
