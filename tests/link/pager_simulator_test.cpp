#include "link/command_frames.h"
#include "link/cradle_discovery.h"
#include "link/hex_frame.h"
#include "link/link_shared.h"
#include "link/pager_link.h"
#include "link/port_choice.h"
#include "link/serial_line.h"
#include "link/sim/pager_model.h"
#include "link/sim/pager_simulator.h"
#include "tests/support/link_test_support.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace quorl {
namespace {

using Bytes = std::vector<std::uint8_t>;

sim::CommandFrame frameOf(const std::string& text) {
    const auto scan = sim::scanCommandFrame(hexTextToBytes(text));
    EXPECT_EQ(scan.result, sim::ScanResult::Valid) << text << ": " << scan.problem;
    return scan.frame;
}

TEST(PagerModel, ServesBlocksOnlyInsideAReadAndWritesOnlyInsideAWrite) {
    sim::PagerModel pager(test::defaultTestCodeplug());
    const auto nak = sim::nakReply();
    EXPECT_EQ(pager.handle(frameOf(readBlockFrame(0x0100))).bytes, nak);
    EXPECT_EQ(pager.handle(frameOf(std::string(frame_text::kStartRead))).bytes, sim::ackReply());
    const auto reply = pager.handle(frameOf(readBlockFrame(0x0100))).bytes;
    ASSERT_EQ(reply.size(), 73u);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 7),
              (Bytes{0x02, 0x80, 0x03, 0x01, 0x00, 0x00, 0x40}));
    EXPECT_EQ(reply[7], pager.codeplug().at(0x0100));
    EXPECT_EQ(pager.handle(frameOf(readBlockFrame(0x3FC1))).bytes, nak); // runs past the end

    std::array<std::uint8_t, kBlockSize> data{};
    data.fill(0x77);
    EXPECT_EQ(pager.handle(frameOf(writeBlockFrame(0x0200, data))).bytes, nak);
    pager.handle(frameOf(std::string(frame_text::kStartWrite)));
    EXPECT_EQ(pager.handle(frameOf(writeBlockFrame(0x0200, data))).bytes, sim::ackReply());
    EXPECT_EQ(pager.codeplug().at(0x023F), 0x77);
}

TEST(PagerModel, IdentityRepliesComeFromTheCodeplug) {
    sim::PagerModel pager(test::defaultTestCodeplug());
    const auto model = pager.handle(frameOf(std::string(frame_text::kModelNumber))).bytes;
    ASSERT_EQ(model.size(), 7u + 12u);
    EXPECT_EQ(std::string(model.begin() + 5, model.begin() + 17),
              pager.codeplug().text(0x011A, 12));
    const auto version = pager.handle(frameOf(std::string(frame_text::kSupportedVersion))).bytes;
    EXPECT_EQ(version[6], pager.codeplug().at(0x013B));
    EXPECT_EQ(version[7], pager.codeplug().at(0x013C));
    EXPECT_EQ(pager.handle(frameOf(std::string(frame_text::kStatus))).bytes[5], 0x40);
    pager.identity().hasSerialNumber = false;
    EXPECT_EQ(pager.handle(frameOf(std::string(frame_text::kStatus))).bytes[5], 0x00);
}

TEST(PagerModel, VoiceMemoryMustBeErasedBeforeItIsWritten) {
    sim::PagerModel pager(test::defaultTestCodeplug());
    pager.setEraseDelayMs(250);
    std::array<std::uint8_t, kVoicePartSize> part{};
    part.fill(0x12);
    EXPECT_EQ(pager.handle(frameOf(writeVoiceFrame(0x0101, 2, part))).bytes, sim::ackReply());
    EXPECT_EQ(pager.sector(0x0101)[2 * 512], 0x12);
    EXPECT_EQ(pager.handle(frameOf(writeVoiceFrame(0x0101, 2, part))).bytes, sim::nakReply());
    const auto erase = pager.handle(frameOf(eraseVoiceFrame(0x0101)));
    EXPECT_EQ(erase.bytes, sim::ackReply());
    EXPECT_EQ(erase.delayMs, 250);
    EXPECT_EQ(pager.sector(0x0101)[2 * 512], 0xFF);
    EXPECT_EQ(pager.handle(frameOf(writeVoiceFrame(0x0101, 2, part))).bytes, sim::ackReply());
}

TEST(FrameScan, RejectsBrokenFramesAndWaitsForShortOnes) {
    auto bytes = hexTextToBytes(readBlockFrame(0x0100));
    EXPECT_EQ(sim::scanCommandFrame(Bytes(bytes.begin(), bytes.begin() + 6)).result,
              sim::ScanResult::Incomplete);
    auto bad = bytes;
    bad[7] ^= 1;
    EXPECT_EQ(sim::scanCommandFrame(bad).problem, "wrong checksum");
    bad = bytes;
    bad[8] = 0x04;
    EXPECT_EQ(sim::scanCommandFrame(bad).problem, "no ETX");
    EXPECT_EQ(sim::scanCommandFrame(hexTextToBytes("02 71 02 01 00 00 41 B5 03")).problem,
              "block count is not 0040");
    EXPECT_EQ(sim::scanCommandFrame(hexTextToBytes("02 71 B0 00 02 01 01 25 03")).problem,
              "count does not fit the command");
    EXPECT_EQ(sim::scanCommandFrame(hexTextToBytes("02 71 55 C6 03")).problem, "unknown command");
}

TEST(FaultRules, ParseCommandAddressAndCount) {
    sim::FaultRule r;
    ASSERT_TRUE(sim::parseFaultRule(sim::FaultKind::Drop, "02@0140:3", r));
    EXPECT_EQ(r.command, std::optional<std::uint8_t>(0x02));
    EXPECT_EQ(r.address, std::optional<int>(0x0140));
    EXPECT_EQ(r.times, 3);
    ASSERT_TRUE(sim::parseFaultRule(sim::FaultKind::Nak, "*:0", r));
    EXPECT_FALSE(r.command.has_value());
    EXPECT_EQ(r.times, 0);
    EXPECT_FALSE(sim::parseFaultRule(sim::FaultKind::Nak, "123", r));
    EXPECT_FALSE(sim::parseFaultRule(sim::FaultKind::Nak, "02@", r));
    EXPECT_FALSE(sim::parseFaultRule(sim::FaultKind::Nak, "02:x", r));
}

TEST(PagerSimulator, DropsOnlyTheChosenBlockAndCountsInvalidFrames) {
    sim::SimulatorOptions options;
    sim::FaultRule drop;
    ASSERT_TRUE(sim::parseFaultRule(sim::FaultKind::Drop, "02@0140:2", drop));
    options.faults.push_back(drop);
    test::SimulatedCradle cradle(options);
    test::RecordingHost host;
    PagerLink portLink(host);
    CCommPort& port = portLink.port();
    ASSERT_TRUE(port.Open(cradle.device(), kPagerBaud, 8, kStopBitsTwo, kParityNone));
    port.sendHexFrame(frame_text::kStartRead);
    ASSERT_TRUE(portLink.waitForDrain(2000));
    auto readBlock = [&](std::uint16_t a) {
        portLink.clearReplyStatus();
        port.sendHexFrame(readBlockFrame(a));
        return portLink.waitForDrain(500) && portLink.replyStatus() == kStatusData;
    };
    EXPECT_TRUE(readBlock(0x0100));
    EXPECT_FALSE(readBlock(0x0140));
    EXPECT_FALSE(readBlock(0x0140));
    EXPECT_TRUE(readBlock(0x0140));
    std::uint8_t expected = 0;
    cradle.sim().withModel([&](sim::PagerModel& m) { expected = m.codeplug().at(0x0140 + 5); });
    EXPECT_EQ(portLink.blockDataByte(5), expected);
    port.sendHexFrame("02 71 02 01 00 00 40 B5 03"); // wrong checksum: no reply
    EXPECT_FALSE(portLink.waitForDrain(300));
    EXPECT_EQ(cradle.sim().invalidFrames(), 1u);
}

// The program's side starts as a new tty; a program that does not set it up gets no
// answer, and the log says what is wrong.
TEST(PagerSimulator, AnswersOnlyALineSetUpForThePager) {
    for (const bool relaxed : {false, true}) {
        sim::SimulatorOptions options;
        options.anyLineSettings = relaxed;
        test::SimulatedCradle cradle(options);
        std::mutex m;
        std::vector<std::string> logged;
        cradle.sim().setLogSink([&](const std::string& line) {
            std::lock_guard lock(m);
            logged.push_back(line);
        });
        const int fd = ::open(cradle.device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        termios tio{};
        ASSERT_EQ(::tcgetattr(fd, &tio), 0);
        EXPECT_NE(tio.c_iflag & IXON, 0u) << "a new tty has XON/XOFF on";
        EXPECT_NE(tio.c_lflag & ICANON, 0u);
        EXPECT_EQ(cfgetospeed(&tio), B38400);
        const auto frame = hexTextToBytes(frame_text::kFirmwareVersion);
        ASSERT_EQ(::write(fd, frame.data(), frame.size()), static_cast<ssize_t>(frame.size()));
        EXPECT_TRUE(cradle.sim().waitUntil(
            [&] {
                return cradle.sim().framesReceived() != 0 ||
                       cradle.sim().refusedForLineSettings() != 0;
            },
            std::chrono::seconds(5)));
        ::close(fd);
        std::lock_guard lock(m);
        if (relaxed) {
            EXPECT_EQ(cradle.sim().framesReceived(), 1u);
            EXPECT_TRUE(logged.empty());
        } else {
            EXPECT_EQ(cradle.sim().framesReceived(), 0u);
            EXPECT_EQ(cradle.sim().refusedForLineSettings(), 1u);
            ASSERT_EQ(logged.size(), 1u);
            for (const char* what : {"baud rate is not 57600", "software flow control",
                                     "canonical mode", "one stop bit"})
                EXPECT_NE(logged[0].find(what), std::string::npos) << logged[0];
        }
    }
}

// Milliseconds from sending `frame` until `expected` reply bytes are in.
double replyMs(int fd, std::string_view frame, std::size_t expected) {
    const auto bytes = hexTextToBytes(frame);
    EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    const auto sent = std::chrono::steady_clock::now();
    std::size_t got = 0;
    while (got < expected) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 2000) <= 0)
            break;
        std::uint8_t buf[256];
        const auto n = ::read(fd, buf, sizeof buf);
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    EXPECT_EQ(got, expected);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - sent)
        .count();
}

// A late reader may get several pieces at once; the line is never faster than its
// rate, nor a piece larger than a USB frame carries.
TEST(PagerSimulator, PacedRepliesKeepTheLineRateAndThePieceSize) {
    for (const sim::LinePace pace : {sim::LinePace{}, sim::LinePace{2000000, 8}}) {
        sim::SimulatorOptions options;
        options.pace = pace;
        test::SimulatedCradle cradle(options);
        const int fd = ::open(cradle.device().c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        termios tio{};
        ASSERT_EQ(::tcgetattr(fd, &tio), 0);
        ASSERT_TRUE(applyLineSettings(tio, kPagerBaud, 8, kStopBitsTwo, kParityNone));
        ASSERT_EQ(::tcsetattr(fd, TCSANOW, &tio), 0);
        replyMs(fd, frame_text::kStartRead, 5);
        const double ms = replyMs(fd, "02 71 02 01 00 00 40 B4 03", 73);
        if (pace.baud == 57600)
            EXPECT_GE(ms, 13.0) << "73 bytes at 5.2 bytes a millisecond take about 14 ms";
        else
            EXPECT_GE(ms, 9.0) << "a fast line still passes 8 bytes a millisecond: 10 pieces";
        ::close(fd);
    }
}

TEST(PagerSimulator, EraseIsAcknowledgedOnlyWhenDone) {
    test::SimulatedCradle cradle;
    cradle.sim().withModel([](sim::PagerModel& m) { m.setEraseDelayMs(400); });
    test::RecordingHost host;
    PagerLink portLink(host);
    CCommPort& port = portLink.port();
    ASSERT_TRUE(port.Open(cradle.device(), kPagerBaud, 8, kStopBitsTwo, kParityNone));
    portLink.clearReplyStatus();
    port.sendHexFrame(eraseVoiceFrame(0x0101));
    EXPECT_FALSE(portLink.state().drainEvent.waitFor(std::chrono::milliseconds(100)));
    ASSERT_TRUE(portLink.state().drainEvent.waitFor(std::chrono::milliseconds(3000)));
    EXPECT_EQ(portLink.replyStatus(), kStatusAck);
}

TEST(PagerSimulator, HangUpTakesTheDeviceAway) {
    sim::SimulatorOptions options;
    options.hangUpAfter = 1;
    test::SimulatedCradle cradle(options);
    const std::string device = cradle.device();
    test::RecordingHost host;
    {
        PagerLink portLink(host);
        CCommPort& port = portLink.port();
        ASSERT_TRUE(port.Open(device, kPagerBaud, 8, kStopBitsTwo, kParityNone));
        portLink.clearReplyStatus();
        port.sendHexFrame(frame_text::kFirmwareVersion);
        ASSERT_TRUE(portLink.waitForDrain(2000));
        EXPECT_EQ(portLink.replyStatus(), kStatusData);
        portLink.clearReplyStatus();
        port.sendHexFrame(frame_text::kFirmwareVersion);
        // A hang-up is no character-received event: no drain, no drain event.
        EXPECT_FALSE(portLink.waitForDrain(300));
        EXPECT_EQ(portLink.replyStatus(), kStatusNone);
        EXPECT_TRUE(cradle.sim().waitUntil([&] { return !cradle.sim().running(); },
                                           std::chrono::seconds(1)));
        port.Close();
    }
    PagerLink againLink(host);
    CCommPort& again = againLink.port();
    EXPECT_FALSE(again.Open(device, kPagerBaud, 8, kStopBitsTwo, kParityNone));
    EXPECT_EQ(host.messages(), std::vector<std::string>{"Unable to connect to device. "});
}

// A program killed while it holds the cradle leaves the line marked for exclusive use;
// the simulator keeps the line open, so it is the one to see the program gone and
// free the line, as a real cradle's line is freed with its last user.
TEST(PagerSimulatorLine, ExclusiveUseEndsWithTheProgramThatHeldIt) {
    test::SimulatedCradle cradle(test::pacedLine());
    const int watch = ::open(cradle.device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(watch, 0);
    const auto exclusive = [watch] {
        int on = 0;
        return ::ioctl(watch, TIOCGEXCL, &on) == 0 && on != 0;
    };
    // The program marks the line when it opens it, before its first frame; the
    // simulator wakes its waiters when it clears a mark left behind.
    const auto within = [&](auto condition) {
        return cradle.sim().waitUntil(condition, std::chrono::seconds(5));
    };
    const auto working = [&] { return cradle.sim().framesReceived() > 0; };
    const std::string quorl = std::string(QUORL_TEST_BIN_DIR) + "/quorl";
    const std::string ppg = std::string(QUORL_TEST_STAGE_DATA_DIR) + "/Lib/Default_VHF_5CH.ppg";
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::execl(quorl.c_str(), quorl.c_str(), "verify", "--port", cradle.device().c_str(),
                ppg.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_TRUE(within(working));
    EXPECT_TRUE(exclusive()) << "the program marks the line while it works";
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(within([&] { return !exclusive(); })) << "the mark outlived the program";
    ::close(watch);
}

// Ended by a signal it can catch, the program gives the cradle back itself: the next
// operation finds the line free, and the simulator never had to clear a left mark.
TEST(PagerSimulatorLine, AProgramEndedBySignalGivesTheCradleBackItself) {
    auto options = test::pacedLine();
    options.log = true;
    test::SimulatedCradle cradle(options);
    std::mutex mutex;
    std::vector<std::string> lines;
    cradle.sim().setLogSink([&](const std::string& line) {
        std::lock_guard lock(mutex);
        lines.push_back(line);
    });
    const int watch = ::open(cradle.device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(watch, 0);
    const auto exclusive = [watch] {
        int on = 0;
        return ::ioctl(watch, TIOCGEXCL, &on) == 0 && on != 0;
    };
    test::TempDir dir;
    const std::string quorl = std::string(QUORL_TEST_BIN_DIR) + "/quorl";
    const auto read = [&](const char* name) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            const auto out = (dir.path() / name).string();
            ::execl(quorl.c_str(), quorl.c_str(), "read", "--port", cradle.device().c_str(), "-o",
                    out.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        return pid;
    };
    const pid_t first = read("first.ppg");
    ASSERT_GE(first, 0);
    ASSERT_TRUE(cradle.sim().waitUntil([&] { return cradle.sim().framesReceived() > 0; },
                                       std::chrono::seconds(5)));
    ASSERT_TRUE(exclusive()) << "the program marks the line while it works";
    ::kill(first, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(first, &status, 0), first);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_FALSE(exclusive()) << "the mark outlived the program";
    const pid_t second = read("second.ppg");
    ASSERT_GE(second, 0);
    ASSERT_EQ(::waitpid(second, &status, 0), second);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "second.ppg"));
    std::lock_guard lock(mutex);
    for (const auto& line : lines)
        EXPECT_EQ(line.find("left by a program that is gone"), std::string::npos) << line;
    ::close(watch);
}

// The simulator as a program of its own, as the run script starts it.
TEST(PagerSimulatorProgram, AnswersThroughItsLinkAndCleansUp) {
    test::TempDir dir;
    // In a folder that does not exist yet: made for this user alone.
    const auto link = (dir.path() / "made" / "ttySIM0").string();
    const std::string program = std::string(QUORL_TEST_BIN_DIR) + "/quorl-pager-sim";
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
        ::execl(program.c_str(), program.c_str(), "--link", link.c_str(), "--firmware", "T9.99",
                "--register", "--pace", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    char line[256] = {};
    FILE* f = ::fdopen(out[0], "r");
    ASSERT_NE(f, nullptr);
    const bool gotLine = std::fgets(line, sizeof line, f) != nullptr;
    EXPECT_TRUE(gotLine);
    EXPECT_EQ(std::string(line).rfind("/dev/pts/", 0), 0u) << line;
    struct stat made {};
    ASSERT_EQ(::stat((dir.path() / "made").c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 0777, 0700u);

    // Registered where the program's discovery looks for simulated cradles.
    DiscoverySources sources;
    sources.sysfsRoot = dir.path() / "sys";
    sources.simRegistryFile = dir.path() / "tessaly-vi-quorl" / "sim-cradles";
    sources.readEnvironment = false;
    const auto listed = listCradles(false, sources);
    ASSERT_EQ(listed.cradles.size(), 1u);
    EXPECT_EQ(listed.cradles[0].portName, link);

    ScopedLinkTiming timing(0.1, 0.5);
    test::RecordingHost host;
    {
        PagerLink portLink(host);
        CCommPort& port = portLink.port();
        ASSERT_TRUE(port.Open(link, kPagerBaud, 8, kStopBitsTwo, kParityNone));
        portLink.clearReplyStatus();
        port.sendHexFrame(frame_text::kFirmwareVersion);
        ASSERT_TRUE(portLink.waitForDrain(2000));
        ASSERT_EQ(portLink.replyStatus(), kStatusData);
        std::string fw;
        for (std::size_t k = 0; k < 5; ++k)
            fw.push_back(static_cast<char>(portLink.replyDataByte(k)));
        EXPECT_EQ(fw, "T9.99");
    }
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    std::fclose(f);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
    EXPECT_TRUE(listCradles(false, sources).cradles.empty());
}

} // namespace
} // namespace quorl
