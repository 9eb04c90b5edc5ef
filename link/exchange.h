#pragma once

#include <cstddef>
#include <cstdint>

namespace quorl {

// The rhythm every exchange with the pager follows: clear the status (before an
// operation's first command and after each accepted reply), send, sleep, wait for the
// drain event, judge the status.

void clearReplyStatus();
std::uint8_t replyStatus();

// Waits for the drain event at most the (scaled) prescribed time; false on time-out.
bool waitForDrain(int prescribedTimeoutMs);

// Data byte k of the last data reply (mailbox byte 2 + k) and of the last block reply
// (mailbox byte 4 + k); 0 outside the mailbox.
std::uint8_t replyDataByte(std::size_t k);
std::uint8_t blockDataByte(std::size_t k);
// The address the last block reply echoes (mailbox bytes 0 and 1).
std::uint16_t blockReplyAddress();

} // namespace quorl
