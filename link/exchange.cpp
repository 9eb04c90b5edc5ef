#include "link/exchange.h"

#include "link/link_timing.h"
#include "link/pager_link.h"

namespace quorl {

namespace {

void pause(int ms) {
    if (ms > 0)
        linkTiming().sleep(ms);
}

} // namespace

QueryResult exchange(PagerLink& link, const ExchangeRule& rule) {
    // Only an answer that came after this try's frame counts, and a NAK among the
    // answers since then means this frame may have been refused: the try is made again.
    auto replied = [&] {
        if (link.replyStatus() != rule.expected || link.answersSinceSend() == 0 ||
            link.refusalsSinceSend() != 0)
            return false;
        if (rule.accept && !rule.accept(link)) {
            link.clearReplyStatus();
            return false;
        }
        if (rule.clearOnReply)
            link.clearReplyStatus();
        return true;
    };
    for (int i = 0; i < rule.attempts; ++i) {
        const auto window = linkTiming().sleepFor(rule.pauseAfterSend(i)) +
                            linkTiming().timeoutFor(rule.waitMs) +
                            linkTiming().sleepFor(rule.pauseAfterMiss(i));
        link.sendAnswerable(rule.frame, window);
        pause(rule.pauseAfterSend(i));
        if (link.waitForDrain(rule.waitMs)) {
            if (replied())
                return QueryResult::Reply;
        } else if (rule.timeoutEnds) {
            return QueryResult::TimedOut;
        }
        if (rule.onMiss)
            rule.onMiss(i);
        const bool last = i + 1 == rule.attempts;
        if (last && rule.lateReply == LateReply::AfterPauseButLast)
            break;
        pause(rule.pauseAfterMiss(i));
        if (rule.lateReply != LateReply::Ignored && replied())
            return QueryResult::Reply;
    }
    return QueryResult::NoReply;
}

QueryResult queryFiveTimes(PagerLink& link, std::string_view frame, std::uint8_t wanted) {
    ExchangeRule rule;
    rule.frame = frame;
    rule.waitMs = kReplyWaitMs;
    rule.expected = wanted;
    rule.pauseAfterMiss = [](int) { return 50; };
    return exchange(link, rule);
}

QueryResult closingCommand(PagerLink& link, std::string_view frame) {
    ExchangeRule rule;
    rule.frame = frame;
    rule.pauseAfterSend = [](int i) { return 50 + 10 * i; };
    rule.waitMs = kReplyWaitMs;
    rule.expected = kStatusAck;
    rule.clearOnReply = true;
    return exchange(link, rule);
}

QueryResult queryWithLateReply(PagerLink& link, std::string_view frame, int attempts, int waitMs) {
    ExchangeRule rule;
    rule.frame = frame;
    rule.attempts = attempts;
    rule.waitMs = waitMs;
    rule.expected = kStatusData;
    rule.pauseAfterMiss = [](int i) { return i == 4 ? 1000 : 50; };
    rule.lateReply = LateReply::AfterPause;
    return exchange(link, rule);
}

QueryResult blockReadExchange(PagerLink& link, std::string_view frame, std::uint16_t address) {
    ExchangeRule rule;
    rule.frame = frame;
    rule.attempts = 6;
    rule.pauseAfterSend = [](int r) { return 100 + 20 * r; };
    rule.waitMs = kReplyWaitMs;
    rule.expected = kStatusData;
    // A late answer to an earlier request (a retry's, after a reply that came apart)
    // holds another block: not this block's reply.
    rule.accept = [address](const PagerLink& l) { return l.blockReplyAddress() == address; };
    return exchange(link, rule);
}

QueryResult blockWriteExchange(PagerLink& link, std::string_view frame) {
    ExchangeRule rule;
    rule.frame = frame;
    rule.attempts = 11;
    rule.pauseAfterSend = [](int) { return 100; };
    rule.waitMs = kReplyWaitMs;
    rule.expected = kStatusAck;
    return exchange(link, rule);
}

} // namespace quorl
