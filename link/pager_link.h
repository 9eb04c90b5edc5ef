#pragma once

#include "link/comm_port.h"
#include "link/link_state.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorl {

class OperationHost;

// One link to one cradle: its channel with the watcher, and the reply parser, mailbox,
// drain event, selector and run flag they share. Pager operations and auditions run on
// the link they are given; several links may be open at once (one per cradle).
class PagerLink {
public:
    // Picks up the trace that is active now (link_trace.h).
    explicit PagerLink(OperationHost& host);
    PagerLink(const PagerLink&) = delete;
    PagerLink& operator=(const PagerLink&) = delete;

    // Opens `deviceName` at the pager's line settings (57,600 baud 8N2).
    bool open(const std::string& deviceName);
    void close() { port_.Close(); }
    bool isConnected() const { return port_.isConnected(); }

    CCommPort& port() { return port_; }
    LinkState& state() { return state_; }
    const std::string& portName() const { return port_.portName(); }
    LinkTrace* trace() const { return state_.trace; }

    void send(std::string_view hexFrame) { port_.sendHexFrame(hexFrame); }

    // Sends a frame whose answer must be told apart from every other frame's. An answer
    // to the frame sent before that is still due is let in first (or its time runs out),
    // then the line must fall quiet, so whatever is already on its way is read and
    // discarded; only then are the status and the drain event cleared and the frame
    // sent. `answerWindow` is how long after the send its answer may still come.
    void sendAnswerable(std::string_view hexFrame, std::chrono::milliseconds answerWindow);
    // Whole replies (NAKs too) received since the last sendAnswerable.
    std::uint32_t answersSinceSend() const;
    // NAKs among them.
    std::uint32_t refusalsSinceSend() const;

    // The exchange's side of the mailbox: clear the status (before an operation's first
    // command and after each accepted reply), wait for the drain event at most the
    // (scaled) prescribed time, judge the status.
    void clearReplyStatus();
    std::uint8_t replyStatus() const;
    bool waitForDrain(int prescribedTimeoutMs);

    // Data byte k of the last data reply (mailbox byte 2 + k) and of the last block
    // reply (mailbox byte 4 + k); 0 outside the mailbox.
    std::uint8_t replyDataByte(std::size_t k) const;
    std::uint8_t blockDataByte(std::size_t k) const;
    // The address the last block reply echoes (mailbox bytes 0 and 1).
    std::uint16_t blockReplyAddress() const;

private:
    void awaitEarlierAnswer();
    void awaitQuietLine();

    // Declared first: the watcher the channel runs uses it until the channel is gone.
    LinkState state_;
    CCommPort port_;
    std::uint32_t answersBefore_ = 0;
    std::uint32_t refusalsBefore_ = 0;
    bool answerDue_ = false;
    std::chrono::steady_clock::time_point answerDeadline_{};
};

} // namespace quorl
