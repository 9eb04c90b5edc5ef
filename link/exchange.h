#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace quorl {

class PagerLink;

// How an exchange ended: the expected reply came, a wait for the drain event ran out,
// or every try went by without the expected reply.
enum class QueryResult { Reply, TimedOut, NoReply };

// When a reply that missed its wait still counts: never, after the pause that follows
// every missed try, or after that pause on all but the last try.
enum class LateReply { Ignored, AfterPause, AfterPauseButLast };

// One command and the rhythm every exchange with the pager follows: send, sleep, wait
// for the drain event, judge the status; up to `attempts` tries. Each try starts clean:
// an earlier frame's answer still due is let in first, and only an answer that came
// after this try's frame counts, never when a NAK came too (PagerLink::sendAnswerable).
struct ExchangeRule {
    std::string_view frame;
    int attempts = 5;
    // Sleep after sending try i (from 0).
    std::function<int(int)> pauseAfterSend = [](int) { return 50; };
    int waitMs = 3000;
    std::uint8_t expected = 0;
    // Sleep after a try that brought no expected reply (0: none).
    std::function<int(int)> pauseAfterMiss = [](int) { return 0; };
    LateReply lateReply = LateReply::Ignored;
    // A wait that runs out ends the exchange; else it counts as a missed try.
    bool timeoutEnds = true;
    // The status is cleared when the reply is accepted.
    bool clearOnReply = false;
    // A reply with the expected status that is not this command's (a block reply for
    // another address) is cleared and the try counts as missed.
    std::function<bool(const PagerLink&)> accept;
    // Told of every missed try (progress of a slow erase).
    std::function<void(int)> onMiss;
};

QueryResult exchange(PagerLink& link, const ExchangeRule& rule);

// Every wait of the codeplug and custom-audio operations is bounded by 3 s.
inline constexpr int kReplyWaitMs = 3000;

// The exchanges of the pager's commands, each with its own rhythm.

// Serial number, supported version, start of read/write: up to five tries, a short
// pause after each unanswered one.
QueryResult queryFiveTimes(PagerLink& link, std::string_view frame, std::uint8_t wanted);

// End of read/write and end of programming mode: five tries with growing pauses; the
// acknowledgement is cleared.
QueryResult closingCommand(PagerLink& link, std::string_view frame);

// A query whose reply may come a little late: up to `attempts` tries, each waiting at
// most `waitMs` for the drain; an unanswered try looks once more after a pause (a
// whole second after the fifth).
QueryResult queryWithLateReply(PagerLink& link, std::string_view frame, int attempts, int waitMs);

// One block read (six tries, pauses growing): only the reply for `address` counts.
QueryResult blockReadExchange(PagerLink& link, std::string_view frame, std::uint16_t address);

// One block write (eleven tries, 100 ms after each).
QueryResult blockWriteExchange(PagerLink& link, std::string_view frame);

} // namespace quorl
