#include "link/exchange.h"

#include "link/link_shared.h"
#include "link/link_timing.h"

namespace quorl {

void clearReplyStatus() {
    linkShared().mailbox.status.store(kStatusNone);
}

std::uint8_t replyStatus() {
    return linkShared().mailbox.status.load(std::memory_order_acquire);
}

bool waitForDrain(int prescribedTimeoutMs) {
    return linkShared().drainEvent.waitFor(linkTiming().timeoutFor(prescribedTimeoutMs));
}

std::uint8_t replyDataByte(std::size_t k) {
    const auto& bytes = linkShared().mailbox.bytes;
    return 2 + k < bytes.size() ? bytes[2 + k] : 0;
}

std::uint16_t blockReplyAddress() {
    const auto& bytes = linkShared().mailbox.bytes;
    return static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
}

std::uint8_t blockDataByte(std::size_t k) {
    const auto& bytes = linkShared().mailbox.bytes;
    return 4 + k < bytes.size() ? bytes[4 + k] : 0;
}

} // namespace quorl
