#include "link/pager_link.h"

#include "link/link_timing.h"
#include "link/link_trace.h"

#include <thread>

namespace quorl {

PagerLink::PagerLink(OperationHost& host) : port_(host, state_) {
    state_.trace = activeLinkTrace();
}

bool PagerLink::open(const std::string& deviceName) {
    return port_.Open(deviceName, kPagerBaud, kPagerByteSize, kStopBitsTwo, kParityNone);
}

namespace {

using Clock = std::chrono::steady_clock;

// How long the line must stay silent before a frame goes out: a reply the pager sends
// twice, or the rest of one that came apart, arrives within this of the bytes before it.
// Part of the exchange's rhythm, it shrinks with the sleeps when tests shrink them.
constexpr int kQuietBeforeSendMs = 20;
// A device that never stops talking still gets its frame after this long.
constexpr int kQuietLimitMs = 2000;

} // namespace

std::uint32_t PagerLink::answersSinceSend() const {
    return state_.mailbox.delivered.load(std::memory_order_acquire) - answersBefore_;
}

std::uint32_t PagerLink::refusalsSinceSend() const {
    return state_.mailbox.refused.load(std::memory_order_acquire) - refusalsBefore_;
}

void PagerLink::awaitEarlierAnswer() {
    if (!answerDue_)
        return;
    answerDue_ = false;
    // The earlier frame got no whole answer yet: one that comes now must not be taken
    // for the next frame's, so it is waited for until its time is up.
    while (answersSinceSend() == 0 && isConnected()) {
        const auto left = answerDeadline_ - Clock::now();
        if (left <= Clock::duration::zero())
            break;
        state_.drainEvent.waitFor(std::chrono::ceil<std::chrono::milliseconds>(left));
    }
}

void PagerLink::awaitQuietLine() {
    const auto quiet = linkTiming().sleepFor(kQuietBeforeSendMs);
    const auto limit = Clock::now() + linkTiming().timeoutFor(kQuietLimitMs);
    while (isConnected() && Clock::now() < limit) {
        const auto sinceLast = std::chrono::milliseconds(
            tickCountMs() - state_.lastReceivedMs.load(std::memory_order_acquire));
        if (port_.waitingBytes() == 0 && sinceLast >= quiet)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void PagerLink::sendAnswerable(std::string_view hexFrame, std::chrono::milliseconds answerWindow) {
    awaitEarlierAnswer();
    awaitQuietLine();
    clearReplyStatus();
    state_.drainEvent.reset();
    answersBefore_ = state_.mailbox.delivered.load(std::memory_order_acquire);
    refusalsBefore_ = state_.mailbox.refused.load(std::memory_order_acquire);
    port_.sendHexFrame(hexFrame);
    answerDue_ = true;
    answerDeadline_ = Clock::now() + answerWindow;
}

void PagerLink::clearReplyStatus() {
    state_.mailbox.status.store(kStatusNone);
}

std::uint8_t PagerLink::replyStatus() const {
    return state_.mailbox.status.load(std::memory_order_acquire);
}

bool PagerLink::waitForDrain(int prescribedTimeoutMs) {
    return state_.drainEvent.waitFor(linkTiming().timeoutFor(prescribedTimeoutMs));
}

std::uint8_t PagerLink::replyDataByte(std::size_t k) const {
    const auto& bytes = state_.mailbox.bytes;
    return 2 + k < bytes.size() ? bytes[2 + k] : 0;
}

std::uint16_t PagerLink::blockReplyAddress() const {
    const auto& bytes = state_.mailbox.bytes;
    return static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
}

std::uint8_t PagerLink::blockDataByte(std::size_t k) const {
    const auto& bytes = state_.mailbox.bytes;
    return 4 + k < bytes.size() ? bytes[4 + k] : 0;
}

} // namespace quorl
