// The link trace against the simulator's own log: every frame the pager received and
// every byte it sent back, in order, with the operation's steps and messages.
#include "codeplug/codeplug_state.h"
#include "link/codeplug_operation.h"
#include "link/command_frames.h"
#include "link/hex_frame.h"
#include "link/link_timing.h"
#include "link/link_trace.h"
#include "link/operation_texts.h"
#include "link/pager_link.h"
#include "link/serial_line.h"
#include "tests/support/folder_watch.h"
#include "tests/support/link_test_support.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <sstream>
#include <unistd.h>

namespace quorl {
namespace {

struct TraceLine {
    long long us = 0;
    std::string port;
    std::string kind;
    std::string payload;
};

std::vector<TraceLine> readTrace(const std::filesystem::path& path) {
    std::vector<TraceLine> lines;
    std::ifstream in(path);
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream fields(text);
        TraceLine line;
        fields >> line.us >> line.port >> line.kind;
        std::getline(fields >> std::ws, line.payload);
        lines.push_back(line);
    }
    return lines;
}

// Records the simulator's log lines "sim: <- HEX" (frames it took) and "sim: -> HEX"
// (replies it wrote).
class SimulatorLog {
public:
    explicit SimulatorLog(sim::PagerSimulator& sim) {
        sim.setLogSink([this](const std::string& line) {
            std::lock_guard lock(mutex_);
            lines_.push_back(line);
        });
    }
    std::vector<std::string> after(const std::string& prefix) {
        std::lock_guard lock(mutex_);
        std::vector<std::string> out;
        for (const auto& l : lines_)
            if (l.rfind(prefix, 0) == 0)
                out.push_back(l.substr(prefix.size()));
        return out;
    }

private:
    std::mutex mutex_;
    std::vector<std::string> lines_;
};

class LinkTraceTest : public ::testing::Test {
protected:
    ~LinkTraceTest() override { stopLinkTrace(); }
    test::TempDir dir;
    std::filesystem::path tracePath = dir.path() / "link.trace";
};

TEST_F(LinkTraceTest, AReadListsEveryFrameAndReplyTheSimulatorLoggedInOrder) {
    sim::SimulatorOptions options = test::pacedLine();
    options.log = true;
    // A refused block: the retry is in the trace too.
    sim::FaultRule nak;
    ASSERT_TRUE(sim::parseFaultRule(sim::FaultKind::Nak, "02@0140:1", nak));
    options.faults.push_back(nak);
    test::SimulatedCradle cradle(options, 0.02);
    SimulatorLog simLog(cradle.sim());
    ASSERT_TRUE(startLinkTrace(tracePath.string()));

    test::RecordingHost host;
    auto state = std::make_unique<CodeplugState>();
    ASSERT_EQ(runPagerOperation(OperationSelector::CodeplugRead, *state, host),
              OperationOutcome::Succeeded);
    stopLinkTrace();

    const auto trace = readTrace(tracePath);
    ASSERT_FALSE(trace.empty());
    std::vector<std::string> sent;
    std::string received;
    std::vector<std::string> steps;
    long long last = 0;
    for (const auto& line : trace) {
        EXPECT_GE(line.us, last) << "time stamps are monotonic";
        last = line.us;
        EXPECT_EQ(line.port, cradle.device());
        if (line.kind == "TX")
            sent.push_back(line.payload);
        else if (line.kind == "RX")
            received += (received.empty() ? "" : " ") + line.payload;
        else if (line.kind == "STEP")
            steps.push_back(line.payload);
        else
            ADD_FAILURE() << "unexpected event " << line.kind;
    }
    const auto taken = simLog.after("sim: <- ");
    EXPECT_EQ(sent, taken);
    const std::string block0140 = bytesToHexText(hexTextToBytes(readBlockFrame(0x0140)));
    EXPECT_EQ(std::count(taken.begin(), taken.end(), block0140), 2);
    std::string replied;
    for (const auto& r : simLog.after("sim: -> "))
        replied += (replied.empty() ? "" : " ") + r;
    EXPECT_EQ(received, replied);
    ASSERT_GE(steps.size(), 2u);
    EXPECT_EQ(steps.front(), op_texts::kReadingStart);
    EXPECT_EQ(steps.back(), "Reading 100%");
}

TEST_F(LinkTraceTest, AMessageIsOneLineAndTheTraceIsWrittenAsItHappens) {
    test::SimulatedCradle cradle(test::pacedLine(), 0.02);
    cradle.sim().withModel([](sim::PagerModel& m) { m.identity().hasSerialNumber = false; });
    ASSERT_TRUE(startLinkTrace(tracePath.string()));
    test::RecordingHost host;
    auto state = std::make_unique<CodeplugState>();
    ASSERT_EQ(runPagerOperation(OperationSelector::CodeplugRead, *state, host),
              OperationOutcome::Failed);
    // Still active: what is in the file got there without a close or a flush.
    const auto trace = readTrace(tracePath);
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.back().kind, "MSG");
    EXPECT_EQ(trace.back().payload,
              "Read Error #9 \\r\\n\\r\\nUnable to read the pager; missing serial number. Please "
              "program the serial number with the Serial Number Tool. ");
    EXPECT_EQ(host.messages().size(), 1u) << "the user still sees the message";
    // Appended, never truncated: a second run adds to the same file.
    ASSERT_EQ(runPagerOperation(OperationSelector::CodeplugRead, *state, host),
              OperationOutcome::Failed);
    EXPECT_GT(readTrace(tracePath).size(), trace.size());
}

// A device that cannot be opened leaves its message in the trace too, escaped.
TEST_F(LinkTraceTest, AFailedConnectIsTraced) {
    ASSERT_TRUE(startLinkTrace(tracePath.string()));
    test::RecordingHost host;
    const auto missing = (dir.path() / "no\x1b[2Jcradle").string();
    EXPECT_EQ(runOperationOnDevice(
                  missing, host,
                  [](PagerLink&, OperationHost&) { return OperationOutcome::Succeeded; },
                  OperationSelector::CodeplugRead),
              OperationOutcome::Failed);
    const auto trace = readTrace(tracePath);
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.back().kind, "MSG");
    EXPECT_EQ(trace.back().payload, "Unable to connect to device. ");
    EXPECT_EQ(trace.back().port, (dir.path() / "no\\x1B[2Jcradle").string()) << "escaped";
}

// A device that floods the line: every byte read is in the trace, either as a reply
// (RX) or as a chunk thrown away for a full reply buffer (DROP), with its count.
TEST_F(LinkTraceTest, ChunksDroppedOnAFullBufferAreTracedWithTheirCount) {
    std::string slave;
    const int master = test::openRawPty(slave);
    ASSERT_GE(master, 0);
    ASSERT_TRUE(startLinkTrace(tracePath.string()));
    ScopedLinkTiming timing(0.1, 0.25);
    test::RecordingHost host;
    PagerLink portLink(host);
    CCommPort& port = portLink.port();
    ASSERT_TRUE(port.Open(slave, kPagerBaud, kPagerByteSize, kStopBitsTwo, kParityNone));
    // Each byte read shows as a reply (RX) or in the count of a dropped chunk (DROP).
    struct Traced {
        std::size_t rx = 0, dropped = 0;
        int drops = 0;
        std::vector<std::string> dropTexts;
    };
    auto traced = [&] {
        Traced t;
        for (const auto& line : readTrace(tracePath)) {
            if (line.kind == "RX") {
                t.rx += (line.payload.size() + 1) / 3; // "55 55 ... 55"
            } else if (line.kind == "DROP") {
                ++t.drops;
                std::istringstream fields(line.payload);
                std::size_t count = 0;
                std::string rest;
                fields >> count;
                std::getline(fields, rest);
                t.dropped += count;
                t.dropTexts.push_back(count > 0 ? rest : line.payload);
            }
        }
        return t;
    };
    // Floods of several times what one drain may hold, until one overflows (a loaded
    // machine may read each slowly enough to keep up) or time runs out.
    const std::vector<std::uint8_t> flood(20000, 0x55);
    std::size_t written = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (Traced t; t.drops == 0 && std::chrono::steady_clock::now() < deadline;) {
        for (std::size_t done = 0; done < flood.size();) {
            const auto n = ::write(master, flood.data() + done, flood.size() - done);
            ASSERT_GT(n, 0);
            done += static_cast<std::size_t>(n);
        }
        written += flood.size();
        // The trace catches up as the port's reader drains the line.
        test::waitForFolderChange(
            tracePath.parent_path(),
            [&] {
                t = traced();
                return t.rx + t.dropped >= written;
            },
            std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now()));
    }
    port.Close();
    ::close(master);
    stopLinkTrace();

    const Traced t = traced();
    EXPECT_GT(t.drops, 0);
    for (const auto& text : t.dropTexts)
        EXPECT_EQ(text, " byte(s): the reply buffer is full");
    EXPECT_EQ(t.rx + t.dropped, written) << "every byte read is traced once";
}

TEST_F(LinkTraceTest, AnUnwritableTraceIsRefused) {
    EXPECT_FALSE(startLinkTrace((dir.path() / "no-such-folder" / "t").string()));
    EXPECT_EQ(activeLinkTrace(), nullptr);
}

} // namespace
} // namespace quorl
