#pragma once

#include "link/sim/pager_model.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quorl::sim {

enum class FaultKind {
    Drop,        // no reply
    Nak,         // a NAK instead of the reply
    BadChecksum, // the reply with its checksum off by one
    Split,       // the reply in two writes with a gap between them
    Late,        // the reply lateMs later than it would come
    Duplicate,   // the reply twice, duplicateGapMs apart
    Refuse,      // the command is not carried out, and a NAK says so
};

// One fault: for a command (or any), at an address (or any), so many times
// (0: every time).
struct FaultRule {
    FaultKind kind = FaultKind::Drop;
    std::optional<std::uint8_t> command;
    std::optional<int> address;
    int times = 1;
};

// Parses "CMD[@ADDR][:N]" (hex command, hex address, decimal count; "*" for any
// command). False when the text is not of that form.
bool parseFaultRule(FaultKind kind, const std::string& text, FaultRule& out);

// How a CP210x cradle moves bytes: the UART runs at 57,600 baud with 11 bits per byte
// (start, 8 data, 2 stop), and the USB bridge hands what has arrived to the host once
// per millisecond, at most 64 bytes at a time.
struct LinePace {
    unsigned baud = 57600;
    int pieceBytes = 64;
    double bytesPerMs() const { return baud / 11.0 / 1000.0; }
};

struct SimulatorOptions {
    bool silent = false;          // answer nothing at all
    int hangUpAfter = -1;         // close the line after this many frames (-1: never)
    int splitGapMs = 30;          // gap between the two halves of a split reply
    int lateMs = 120;             // how much later a Late reply comes
    int duplicateGapMs = 0;       // gap between a reply and its duplicate
    int replyDelayMs = 0;         // every reply this much later (a slow pager)
    int incompleteFrameMs = 1000; // a partial frame older than this is given up
    bool log = false;             // frames and replies to the log sink
    // Replies leave, and commands take to arrive, at the line's real rate.
    std::optional<LinePace> pace;
    // Answer whatever the program's side of the line is set to (experiments only).
    bool anyLineSettings = false;
    std::vector<FaultRule> faults;
};

// The pager in its cradle, on the master side of a pseudo-terminal. The slave side is
// the device the program opens. Runs its own thread until stopped.
class PagerSimulator {
public:
    PagerSimulator(PagerModel model, SimulatorOptions options);
    ~PagerSimulator();
    PagerSimulator(const PagerSimulator&) = delete;
    PagerSimulator& operator=(const PagerSimulator&) = delete;

    // Opens the pseudo-terminal and starts answering. False with a reason on failure.
    bool start(std::string& error);
    void stop();
    bool running() const { return running_.load(); }

    const std::string& devicePath() const { return devicePath_; }

    // Runs `fn` on the model while the simulator is not touching it.
    void withModel(const std::function<void(PagerModel&)>& fn);
    void addFault(const FaultRule& rule);

    std::size_t framesReceived() const { return framesReceived_.load(); }
    std::size_t invalidFrames() const { return invalidFrames_.load(); }
    // Commands received, in order.
    std::vector<std::uint8_t> commandLog() const;
    // When the last byte of the last reply was handed to the line.
    std::chrono::steady_clock::time_point lastReplyWritten() const;
    // When the simulator hung up (--hang-up-after); the epoch when it has not.
    std::chrono::steady_clock::time_point hungUpAt() const;
    // Frames left unanswered because the program's side of the line was not set up
    // for the pager.
    std::size_t refusedForLineSettings() const { return refusedForLine_.load(); }

    // Waits until `done` holds, looking again whenever a frame arrives or is refused,
    // when the simulator clears an exclusive-use mark a program left behind, and when
    // it stops or hangs up; at most `timeout`. True when it holds.
    bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

    // Where log lines go (standard error by default).
    void setLogSink(std::function<void(const std::string&)> sink);

private:
    struct Pending {
        std::chrono::steady_clock::time_point due;
        std::vector<std::uint8_t> bytes;
        bool split = false;
    };

    void run();
    void releaseLeftExclusiveUse();
    void takeBytes();
    void handleFrame(const CommandFrame& frame);
    void sendDue();
    void writeAll(const std::uint8_t* bytes, std::size_t count);
    void writeReply(const std::uint8_t* bytes, std::size_t count);
    void writePaced(const std::uint8_t* bytes, std::size_t count);
    bool programSideReady();
    void hangUp();
    void log(const std::string& line);
    // Wakes waitUntil to look again.
    void noteChange();
    std::optional<FaultKind> takeFault(const CommandFrame& frame);

    PagerModel model_;
    SimulatorOptions options_;
    mutable std::mutex mutex_;
    int master_ = -1;
    int slave_ = -1;
    int wake_[2] = {-1, -1};
    std::string devicePath_;
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::vector<std::uint8_t> rx_;
    std::chrono::steady_clock::time_point rxSince_{};
    std::vector<Pending> pending_;
    std::atomic<std::size_t> framesReceived_{0};
    std::atomic<std::size_t> invalidFrames_{0};
    std::vector<std::uint8_t> commands_;
    std::chrono::steady_clock::time_point lastReply_{};
    std::chrono::steady_clock::time_point hungUp_{};
    // Under pacing: when the last byte read so far has really finished arriving.
    std::chrono::steady_clock::time_point inboundDone_{};
    std::atomic<std::size_t> refusedForLine_{0};
    std::string lastLineProblem_;
    std::function<void(const std::string&)> logSink_;
    // Counts what waitUntil looks again after; never held while `mutex_` is taken.
    std::mutex changeMutex_;
    std::condition_variable changed_;
    std::uint64_t changes_ = 0;
};

} // namespace quorl::sim
