// Two links in one process: each exchange sees only its own cradle's replies.
#include "codeplug/checksums.h"
#include "codeplug/codeplug_state.h"
#include "link/codeplug_operation.h"
#include "link/command_frames.h"
#include "link/pager_link.h"
#include "tests/support/link_test_support.h"

#include <gtest/gtest.h>
#include <thread>

namespace quorl {
namespace {

std::string firmwareOf(PagerLink& link) {
    if (queryWithLateReply(link, frame_text::kFirmwareVersion, 10, 2000) != QueryResult::Reply)
        return "no reply";
    std::string fw;
    for (std::size_t k = 0; k < 5; ++k)
        fw.push_back(static_cast<char>(link.replyDataByte(k)));
    link.clearReplyStatus();
    return fw;
}

TEST(TwoLinks, InterleavedExchangesNeverSeeEachOthersReplies) {
    test::SimulatedCradle a(test::pacedLine(), 0.02);
    sim::PagerSimulator b(sim::PagerModel(test::defaultTestCodeplug()), test::pacedLine());
    std::string error;
    ASSERT_TRUE(b.start(error)) << error;
    a.sim().withModel([](sim::PagerModel& m) { m.identity().firmware = "AAAAA"; });
    b.withModel([](sim::PagerModel& m) { m.identity().firmware = "BBBBB"; });

    test::RecordingHost host;
    PagerLink linkA(host), linkB(host);
    ASSERT_TRUE(linkA.open(a.device()));
    ASSERT_TRUE(linkB.open(b.devicePath()));
    // Strictly alternating on one thread: a reply for B arriving while A waits must
    // neither wake A nor land in A's mailbox.
    for (int i = 0; i < 20; ++i) {
        linkA.send(frame_text::kFirmwareVersion);
        linkB.send(frame_text::kFirmwareVersion);
        ASSERT_TRUE(linkA.waitForDrain(2000));
        ASSERT_TRUE(linkB.waitForDrain(2000));
        ASSERT_EQ(linkA.replyStatus(), kStatusData);
        ASSERT_EQ(linkB.replyStatus(), kStatusData);
        EXPECT_EQ(linkA.replyDataByte(0), 'A');
        EXPECT_EQ(linkB.replyDataByte(0), 'B');
        linkA.clearReplyStatus();
        linkB.clearReplyStatus();
    }
    // And on two threads at once.
    std::string lastA, lastB;
    std::thread other([&] {
        for (int i = 0; i < 20; ++i)
            if (const auto fw = firmwareOf(linkB); fw != "BBBBB")
                lastB = fw;
    });
    for (int i = 0; i < 20; ++i)
        if (const auto fw = firmwareOf(linkA); fw != "AAAAA")
            lastA = fw;
    other.join();
    EXPECT_EQ(lastA, "");
    EXPECT_EQ(lastB, "");
    linkA.close();
    linkB.close();
    b.stop();
}

TEST(TwoLinks, TwoReadsAtOnceEachGetTheirOwnPagersCodeplug) {
    test::SimulatedCradle a(test::pacedLine(), 0.02);
    sim::PagerSimulator b(sim::PagerModel(test::defaultTestCodeplug()), test::pacedLine());
    std::string error;
    ASSERT_TRUE(b.start(error)) << error;
    b.withModel([](sim::PagerModel& m) {
        m.codeplug().set(0x0110, 0x5A);
        updateChecksums(m.codeplug());
    });
    a.sim().withModel([](sim::PagerModel& m) {
        m.codeplug().set(0x0110, 0xA5);
        updateChecksums(m.codeplug());
    });
    auto read = [](const std::string& device, CodeplugState& state) {
        test::RecordingHost host;
        const auto outcome = runOperationOnDevice(
            device, host,
            [&](PagerLink& link, OperationHost& h) { return readCodeplug(link, state, h); },
            OperationSelector::CodeplugRead);
        EXPECT_EQ(host.messages(), std::vector<std::string>{}) << device;
        return outcome;
    };
    auto stateA = std::make_unique<CodeplugState>();
    auto stateB = std::make_unique<CodeplugState>();
    OperationOutcome outcomeB = OperationOutcome::Failed;
    std::thread other([&] { outcomeB = read(b.devicePath(), *stateB); });
    EXPECT_EQ(read(a.device(), *stateA), OperationOutcome::Succeeded);
    other.join();
    EXPECT_EQ(outcomeB, OperationOutcome::Succeeded);
    EXPECT_EQ(stateA->image.at(0x0110), 0xA5);
    EXPECT_EQ(stateB->image.at(0x0110), 0x5A);
    b.stop();
}

} // namespace
} // namespace quorl
