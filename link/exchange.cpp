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

} // namespace quorl
