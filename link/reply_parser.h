#pragma once

#include "link/link_shared.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace quorl {

// Recognises reply frames (02 80 code payload checksum 03) byte by byte and delivers
// whole, checksum-correct replies into the mailbox. It runs on the watcher thread
// only (each link has its own). The watcher resets it at the start of every drain, and a
// drain that finds it inside a frame waits for the rest of that frame (up to a quiet gap),
// so a reply the bridge hands over in pieces still counts.
class ReplyParser {
public:
    static constexpr std::size_t kFrameBufferSize = 528;

    ReplyParser(ReplyMailbox& mailbox, const std::atomic<OperationSelector>& selector)
        : mailbox_(mailbox), selector_(selector) {}

    void parseByte(std::uint8_t b);
    void reset();

    int state() const { return state_; }
    std::size_t storedCount() const { return fill_; }

private:
    void store(std::uint8_t b);
    void hunt();
    void deliver();

    ReplyMailbox& mailbox_;
    const std::atomic<OperationSelector>& selector_;
    std::array<std::uint8_t, kFrameBufferSize> frame_{};
    std::size_t fill_ = 0;
    std::uint8_t length_ = 0; // LL
    std::uint8_t count_ = 0;  // data bytes received
    int state_ = 0;
};

} // namespace quorl
