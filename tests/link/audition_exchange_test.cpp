#include "link/audition_exchange.h"
#include "link/command_frames.h"
#include "link/link_shared.h"
#include "link/link_texts.h"
#include "link/operation_link_hold.h"
#include "tests/support/link_test_support.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <thread>

namespace quorl {
namespace {

using test::RecordingHost;
using test::SimulatedCradle;

struct TimerCall {
    int id = -1;
    int ms = -1;
};

long countOf(const std::vector<std::uint8_t>& log, std::uint8_t command) {
    return std::count(log.begin(), log.end(), command);
}

TEST(AuditionExchange, PlaysTheSlotAndStartsTheOwnersTimer) {
    SimulatedCradle cradle(test::pacedLine());
    RecordingHost host;
    linkAuditionState().allowed = true;
    TimerCall timer;
    AuditionCommand request;
    request.command = cmd::kPlayCustomAudio;
    request.parameters = {12};
    request.timerId = kCustomAudioAuditionTimer;
    const auto result = auditionExchange(host, request, [&](int id, int ms) { timer = {id, ms}; });
    EXPECT_EQ(result, AuditionResult::Started);
    EXPECT_TRUE(host.messages().empty());
    EXPECT_EQ(timer.id, kCustomAudioAuditionTimer);
    EXPECT_EQ(timer.ms, 4000);
    EXPECT_FALSE(linkAuditionState().allowed.load());
    EXPECT_EQ(linkAuditionState().durationMs.load(), 4000);
    cradle.sim().withModel(
        [](sim::PagerModel& m) { EXPECT_EQ(m.auditions(), std::vector<int>{12}); });
    EXPECT_EQ(cradle.sim().commandLog(),
              (std::vector<std::uint8_t>{cmd::kPresence, cmd::kPlayCustomAudio}));
}

TEST(AuditionExchange, ChannelSelectionPicksToneOrCustomAlert) {
    const auto tone = channelAudition(3);
    EXPECT_EQ(tone.command, cmd::kPlayAlertTone);
    EXPECT_EQ(tone.parameters, std::vector<std::uint8_t>{3});
    const auto custom = channelAudition(14);
    EXPECT_EQ(custom.command, cmd::kPlayCustomAudio);
    EXPECT_EQ(custom.parameters, std::vector<std::uint8_t>{4});
    EXPECT_EQ(custom.timerId, kChannelAuditionTimer);
}

TEST(AuditionExchange, UnacknowledgedCommandIsSentThreeTimesAndStillTimes) {
    sim::SimulatorOptions options;
    sim::FaultRule nak;
    ASSERT_TRUE(sim::parseFaultRule(sim::FaultKind::Nak, "B6:0", nak));
    options.faults.push_back(nak);
    SimulatedCradle cradle(test::pacedLine(options));
    RecordingHost host;
    TimerCall timer;
    AuditionCommand request;
    request.command = cmd::kPlayPreview;
    request.parameters = {1, 2, 3, 4, 5};
    request.durationMs = 2500;
    request.timerId = kSwitchAuditionTimer;
    EXPECT_EQ(auditionExchange(host, request,
                               [&](int id, int ms) {
                                   timer = {id, ms};
                               }),
              AuditionResult::Started);
    EXPECT_EQ(countOf(cradle.sim().commandLog(), cmd::kPlayPreview), 3);
    EXPECT_EQ(timer.id, kSwitchAuditionTimer);
    EXPECT_EQ(timer.ms, 2500);
    EXPECT_TRUE(host.messages().empty());
}

TEST(AuditionExchange, AbsentPagerGivesReadErrorSevenAfterTenChecks) {
    sim::SimulatorOptions options;
    sim::FaultRule nak;
    ASSERT_TRUE(sim::parseFaultRule(sim::FaultKind::Nak, "78:0", nak));
    options.faults.push_back(nak);
    SimulatedCradle cradle(test::pacedLine(options), 0.02, 1.0);
    RecordingHost host;
    bool timerStarted = false;
    AuditionCommand request = channelAudition(2);
    EXPECT_EQ(auditionExchange(host, request, [&](int, int) { timerStarted = true; }),
              AuditionResult::NotPresent);
    EXPECT_EQ(host.messages(), std::vector<std::string>{std::string(link_texts::kReadError7)});
    EXPECT_EQ(countOf(cradle.sim().commandLog(), cmd::kPresence), 10);
    EXPECT_FALSE(timerStarted);
}

TEST(AuditionExchange, SilentPagerTimesOutWithReadErrorFive) {
    sim::SimulatorOptions options;
    options.silent = true;
    SimulatedCradle cradle(test::pacedLine(options), 0.1, 0.1);
    RecordingHost host;
    EXPECT_EQ(auditionExchange(host, channelAudition(0), nullptr), AuditionResult::TimedOut);
    EXPECT_EQ(host.messages(), std::vector<std::string>{std::string(link_texts::kReadError5)});
    EXPECT_EQ(cradle.sim().commandLog(), std::vector<std::uint8_t>{cmd::kPresence});
}

TEST(AuditionExchange, LateFirstReplyIsRetriedAtFullScale) {
    // Prescribed sleeps and time-outs: the first presence reply is lost, the second
    // check finds the pager.
    sim::SimulatorOptions options;
    sim::FaultRule corrupt;
    ASSERT_TRUE(sim::parseFaultRule(sim::FaultKind::BadChecksum, "78", corrupt));
    options.faults.push_back(corrupt);
    SimulatedCradle cradle(test::pacedLine(options), 1.0, 1.0);
    RecordingHost host;
    EXPECT_EQ(auditionExchange(host, channelAudition(1), nullptr), AuditionResult::Started);
    EXPECT_EQ(cradle.sim().commandLog(),
              (std::vector<std::uint8_t>{cmd::kPresence, cmd::kPresence, cmd::kPlayAlertTone}));
    cradle.sim().withModel(
        [](sim::PagerModel& m) { EXPECT_EQ(m.auditions(), std::vector<int>{101}); });
}

// A Play Pager press while Read, Write or Write Custom Audio holds the link touches
// nothing of the operation's: no port choice, no frame, no message.
TEST(AuditionExchange, RefusedWhileAnOperationHoldsTheLink) {
    SimulatedCradle cradle(test::pacedLine());
    RecordingHost host;
    {
        const OperationLinkHold hold;
        EXPECT_EQ(auditionExchange(host, channelAudition(0), nullptr), AuditionResult::LinkInUse);
        EXPECT_TRUE(cradle.sim().commandLog().empty());
        EXPECT_TRUE(host.messages().empty());
        const OperationLinkHold inner; // the operation frame inside the operation
    }
    EXPECT_FALSE(pagerOperationHoldsLink());
    EXPECT_EQ(auditionExchange(host, channelAudition(0), nullptr), AuditionResult::Started);
}

TEST(AuditionExchange, NoCradleStopsBeforeOpening) {
    test::IsolatedDiscovery iso;
    RecordingHost host;
    EXPECT_EQ(auditionExchange(host, channelAudition(0), nullptr), AuditionResult::NoPort);
    EXPECT_EQ(host.messages(), std::vector<std::string>{std::string(link_texts::kCommError1)});
}

} // namespace
} // namespace quorl
