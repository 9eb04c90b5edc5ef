#include "link/command_frames.h"
#include "link/link_shared.h"
#include "link/link_texts.h"
#include "link/pager_link.h"
#include "link/port_choice.h"
#include "link/serial_line.h"
#include "link/sim/pager_line_check.h"
#include "link/staging_budget.h"
#include "tests/support/link_test_support.h"

#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace quorl {
namespace {

using test::RecordingHost;
using test::SimulatedCradle;

bool openPagerPort(CCommPort& port, const std::string& device) {
    return port.Open(device, kPagerBaud, kPagerByteSize, kStopBitsTwo, kParityNone);
}

TEST(CommPortOpen, MissingDeviceHeldDeviceAndNonTtyAreRefused) {
    RecordingHost host;
    {
        PagerLink portLink(host);
        CCommPort& port = portLink.port();
        EXPECT_FALSE(openPagerPort(port, "/dev/quorl-no-such-cradle"));
        EXPECT_FALSE(port.isConnected());
    }
    SimulatedCradle cradle;
    PagerLink firstLink(host);
    CCommPort& first = firstLink.port();
    ASSERT_TRUE(openPagerPort(first, cradle.device()));
    PagerLink secondLink(host);
    CCommPort& second = secondLink.port();
    EXPECT_FALSE(openPagerPort(second, cradle.device()));
    test::TempDir dir;
    const auto plain = (dir.path() / "not-a-tty").string();
    std::ofstream(plain) << "x";
    PagerLink thirdLink(host);
    CCommPort& third = thirdLink.port();
    EXPECT_FALSE(openPagerPort(third, plain));
    const std::vector<std::string> expected(3, std::string(link_texts::kUnableToConnect));
    EXPECT_EQ(host.messages(), expected);
    first.Close();
    // Closed, the cradle is free for the next operation.
    PagerLink againLink(host);
    CCommPort& again = againLink.port();
    EXPECT_TRUE(openPagerPort(again, cradle.device()));
}

TEST(CommPortOpen, UnsupportedLineSettingsFailWithoutMessage) {
    RecordingHost host;
    SimulatedCradle cradle;
    PagerLink portLink(host);
    CCommPort& port = portLink.port();
    EXPECT_FALSE(port.Open(cradle.device(), 57600, 8, kStopBitsOneAndHalf, kParityNone));
    EXPECT_FALSE(port.Open(cradle.device(), 12345, 8, kStopBitsTwo, kParityNone));
    EXPECT_TRUE(host.messages().empty());
    EXPECT_TRUE(openPagerPort(port, cradle.device()));
}

// A line as a freshly plugged-in /dev/ttyUSB0 starts (the kernel's default tty),
// with every flow-control and processing bit an earlier program might have left.
termios newTtyWithLeftovers() {
    termios tio{};
    tio.c_iflag = ICRNL | IXON | IXOFF | IXANY | INLCR | IGNCR | ISTRIP | BRKINT | PARMRK |
                  IMAXBEL | IUTF8 | INPCK;
    tio.c_oflag = OPOST | ONLCR | OCRNL;
    tio.c_lflag = ISIG | ICANON | ECHO | ECHOE | ECHOK | ECHONL | ECHOCTL | ECHOKE | IEXTEN;
    tio.c_cflag = CS7 | PARENB | PARODD | CRTSCTS | HUPCL;
    cfsetispeed(&tio, B38400);
    cfsetospeed(&tio, B38400);
    return tio;
}

TEST(SerialLine, BinarySafeWhateverTheTtyHeldBefore) {
    termios tio = newTtyWithLeftovers();
    ASSERT_TRUE(applyLineSettings(tio, 57600, 8, kStopBitsTwo, kParityNone));
    EXPECT_EQ(tio.c_iflag, 0u) << "no flow control, no input processing";
    EXPECT_EQ(tio.c_oflag, 0u);
    EXPECT_EQ(tio.c_lflag, 0u);
    EXPECT_EQ(tio.c_cflag & ~static_cast<tcflag_t>(CBAUD | CBAUDEX),
              static_cast<tcflag_t>(CS8 | CSTOPB | CREAD | CLOCAL | HUPCL))
        << "only the DTR/RTS handling on close stays as the driver had it";
    EXPECT_EQ(cfgetispeed(&tio), B57600);
    EXPECT_EQ(cfgetospeed(&tio), B57600);
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 0);
    EXPECT_EQ(sim::pagerLineDifferences(tio), "");
    // The simulator's check names what a new tty gets wrong.
    const std::string problems = sim::pagerLineDifferences(newTtyWithLeftovers());
    for (const char* expected : {"baud rate", "software flow control", "ICRNL", "OPOST",
                                 "canonical mode", "echo", "hardware flow control", "parity"})
        EXPECT_NE(problems.find(expected), std::string::npos) << expected << " in " << problems;

    termios odd{};
    ASSERT_TRUE(applyLineSettings(odd, 9600, 7, kStopBitsOne, kParityOdd));
    EXPECT_EQ(odd.c_cflag & (CSIZE | PARENB | PARODD | CSTOPB),
              static_cast<tcflag_t>(CS7 | PARENB | PARODD));
    termios five{};
    EXPECT_TRUE(applyLineSettings(five, 9600, 5, kStopBitsOneAndHalf, kParityEven));
    EXPECT_FALSE(applyLineSettings(five, 9600, 9, kStopBitsOne, kParityNone));
    EXPECT_FALSE(applyLineSettings(five, 9600, 8, 3, kParityNone));
    EXPECT_FALSE(applyLineSettings(five, 9600, 8, kStopBitsOne, 5));
}

TEST(CommPortWrite, FramesGoOutInPiecesOfEight) {
    RecordingHost host;
    SimulatedCradle cradle;
    PagerLink portLink(host);
    CCommPort& port = portLink.port();
    std::mutex m;
    std::vector<std::size_t> writes;
    port.setWriteObserver([&](std::size_t n) {
        std::lock_guard lock(m);
        writes.push_back(n);
    });
    EXPECT_EQ(port.Write(reinterpret_cast<const std::uint8_t*>("x"), 1), 0u); // not open
    ASSERT_TRUE(openPagerPort(port, cradle.device()));
    portLink.state().selector = OperationSelector::CodeplugRead;
    portLink.clearReplyStatus();
    port.sendHexFrame(frame_text::kFirmwareVersion);
    ASSERT_TRUE(portLink.waitForDrain(2000));
    EXPECT_EQ(writes, std::vector<std::size_t>{5});
    EXPECT_EQ(portLink.replyStatus(), kStatusData);

    writes.clear();
    port.sendHexFrame(frame_text::kStartWrite);
    ASSERT_TRUE(portLink.waitForDrain(2000));
    std::array<std::uint8_t, kBlockSize> block{};
    block.fill(0x11);
    portLink.clearReplyStatus();
    writes.clear();
    port.sendHexFrame(writeBlockFrame(0x0400, block));
    ASSERT_TRUE(portLink.waitForDrain(2000));
    std::vector<std::size_t> expected(9, 8);
    expected.push_back(1);
    EXPECT_EQ(writes, expected);
    EXPECT_EQ(portLink.replyStatus(), kStatusAck);
    EXPECT_EQ(cradle.sim().invalidFrames(), 0u);
    cradle.sim().withModel(
        [](sim::PagerModel& pager) { EXPECT_EQ(pager.codeplug().at(0x0400), 0x11); });
}

// A reply whose second half comes after a pause longer than the drain waits inside a
// frame has lost bytes as far as the exchange can tell: each half ends a drain of its
// own and neither delivers. A short pause, as a USB bridge makes between its pieces,
// is bridged: one drain, one delivered reply.
TEST(CommPortWatcher, ASplitReplyIsReassembledOnlyWithinTheQuietGap) {
    for (const int gapMs : {300, 10}) {
        sim::SimulatorOptions options;
        options.splitGapMs = gapMs;
        sim::FaultRule split;
        ASSERT_TRUE(sim::parseFaultRule(sim::FaultKind::Split, "70", split));
        options.faults.push_back(split);
        SimulatedCradle cradle(options);
        RecordingHost host;
        PagerLink portLink(host);
        CCommPort& port = portLink.port();
        std::atomic<int> drains{0};
        port.setDrainObserver([&](std::size_t) { ++drains; });
        ASSERT_TRUE(openPagerPort(port, cradle.device()));
        portLink.clearReplyStatus();
        port.sendHexFrame(frame_text::kFirmwareVersion);
        ASSERT_TRUE(portLink.waitForDrain(2000));
        if (gapMs == 10) {
            EXPECT_EQ(portLink.replyStatus(), kStatusData);
            EXPECT_EQ(drains.load(), 1);
            continue;
        }
        EXPECT_EQ(portLink.replyStatus(), kStatusNone); // first half, given up after the gap
        ASSERT_TRUE(portLink.waitForDrain(2000));       // second half, parsed from scratch
        EXPECT_EQ(portLink.replyStatus(), kStatusNone);
        // The retry gets its answer in one piece.
        port.sendHexFrame(frame_text::kFirmwareVersion);
        ASSERT_TRUE(portLink.waitForDrain(2000));
        EXPECT_EQ(portLink.replyStatus(), kStatusData);
    }
}

TEST(CommPortWatcher, APacedBlockReplyIsOneDrainAndOneEvent) {
    SimulatedCradle cradle(test::pacedLine());
    RecordingHost host;
    PagerLink portLink(host);
    CCommPort& port = portLink.port();
    std::mutex m;
    std::vector<std::size_t> drained;
    port.setDrainObserver([&](std::size_t n) {
        std::lock_guard lock(m);
        drained.push_back(n);
    });
    ASSERT_TRUE(openPagerPort(port, cradle.device()));
    portLink.state().selector = OperationSelector::CodeplugRead;
    port.sendHexFrame(frame_text::kStartRead);
    ASSERT_TRUE(portLink.waitForDrain(2000));
    portLink.clearReplyStatus();
    {
        std::lock_guard lock(m);
        drained.clear();
    }
    port.sendHexFrame(readBlockFrame(0x0100));
    ASSERT_TRUE(portLink.waitForDrain(2000));
    EXPECT_EQ(portLink.replyStatus(), kStatusData);
    EXPECT_FALSE(portLink.waitForDrain(100)) << "no second event for the same reply";
    std::lock_guard lock(m);
    EXPECT_EQ(drained, std::vector<std::size_t>{73});
}

TEST(CommPortWatcher, EmptyDrainStillSetsTheEventAndSilenceSetsNothing) {
    sim::SimulatorOptions options;
    options.silent = true;
    SimulatedCradle cradle(options);
    RecordingHost host;
    PagerLink portLink(host);
    CCommPort& port = portLink.port();
    ASSERT_TRUE(openPagerPort(port, cradle.device()));
    port.sendHexFrame(frame_text::kFirmwareVersion);
    EXPECT_FALSE(portLink.waitForDrain(400)); // no character arrived, no drain, no event
    port.drain();                             // a wake that finds the queue empty
    EXPECT_TRUE(portLink.state().drainEvent.isSet());
    EXPECT_TRUE(portLink.waitForDrain(0));
    EXPECT_FALSE(portLink.state().drainEvent.isSet()); // auto-reset
}

TEST(CommPortWatcher, CloseReleasesTheWaitAndStopsDelivery) {
    RecordingHost host;
    SimulatedCradle cradle;
    PagerLink portLink(host);
    CCommPort& port = portLink.port();
    ASSERT_TRUE(openPagerPort(port, cradle.device()));
    EXPECT_EQ(portLink.state().watcherRunFlag.load(), 1);
    port.Close(); // returns although the watcher sits in its wait
    EXPECT_FALSE(port.isConnected());
    EXPECT_EQ(portLink.state().watcherRunFlag.load(), 0);
    EXPECT_EQ(port.Write(reinterpret_cast<const std::uint8_t*>("\x02"), 1), 0u);
}

TEST(StagingBudget, HoldsAtMost4191BytesPerDrain) {
    StagingBudget budget;
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(budget.take(528));
    EXPECT_FALSE(budget.take(528)); // 496 free is not more than 528
    EXPECT_TRUE(budget.take(399));  // later chunks still count when they fit
    EXPECT_TRUE(budget.take(96));
    EXPECT_EQ(budget.held(), 4191u);
    EXPECT_FALSE(budget.take(1));
    budget.empty();
    EXPECT_TRUE(budget.take(528));
}

TEST(CommPortWatcher, FloodNeverCrashesAndReportsAtMostOncePerDrain) {
    // A raw pseudo-terminal pair stands in for a device that sends far too much.
    std::string slave;
    const int master = test::openRawPty(slave);
    ASSERT_GE(master, 0);
    ScopedLinkTiming timing(0.1, 0.25);
    RecordingHost host;
    PagerLink portLink(host);
    CCommPort& port = portLink.port();
    std::atomic<int> drains{0};
    port.setDrainObserver([&](std::size_t) { ++drains; });
    ASSERT_TRUE(openPagerPort(port, slave));
    std::vector<std::uint8_t> flood(40000, 0x55);
    std::thread writer([&] {
        std::size_t done = 0;
        while (done < flood.size()) {
            const auto n = ::write(master, flood.data() + done, flood.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
    });
    writer.join();
    for (int i = 0; i < 50 && portLink.state().drainEvent.waitFor(std::chrono::milliseconds(100));
         ++i) {
    }
    port.Close();
    EXPECT_GT(drains.load(), 0);
    const auto msgs = host.messages();
    EXPECT_LE(msgs.size(), static_cast<std::size_t>(drains.load()));
    for (const auto& m : msgs)
        EXPECT_EQ(m, link_texts::kBuffFull);
    ::close(master);
}

} // namespace
} // namespace quorl
