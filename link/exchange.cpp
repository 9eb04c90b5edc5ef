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
    auto replied = [&] {
        if (link.replyStatus() != rule.expected)
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
        link.send(rule.frame);
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
