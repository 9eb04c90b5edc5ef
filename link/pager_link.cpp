#include "link/pager_link.h"

#include "link/link_timing.h"
#include "link/link_trace.h"

namespace quorl {

PagerLink::PagerLink(OperationHost& host) : port_(host, state_) {
    state_.trace = activeLinkTrace();
}

bool PagerLink::open(const std::string& deviceName) {
    return port_.Open(deviceName, kPagerBaud, kPagerByteSize, kStopBitsTwo, kParityNone);
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
