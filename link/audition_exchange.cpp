#include "link/audition_exchange.h"

#include "link/command_frames.h"
#include "link/exchange.h"
#include "link/link_shared.h"
#include "link/link_texts.h"
#include "link/link_timing.h"
#include "link/operation_host.h"
#include "link/operation_link_hold.h"
#include "link/pager_link.h"
#include "link/port_choice.h"
#include "link/tracing_host.h"

namespace quorl {

LinkAuditionState& linkAuditionState() {
    static LinkAuditionState state;
    return state;
}

AuditionCommand channelAudition(int alertSelection) {
    AuditionCommand r;
    if (alertSelection < 10) {
        r.command = cmd::kPlayAlertTone;
        r.parameters = {static_cast<std::uint8_t>(alertSelection)};
    } else {
        r.command = cmd::kPlayCustomAudio;
        r.parameters = {static_cast<std::uint8_t>(alertSelection - 10)};
    }
    r.durationMs = kAuditionDurationMs;
    r.timerId = kChannelAuditionTimer;
    return r;
}

AuditionResult auditionExchange(OperationHost& host, const AuditionCommand& request,
                                const AuditionTimerStart& startTimer) {
    // Before the port choice, which already renews the operation's drain event.
    if (pagerOperationHoldsLink())
        return AuditionResult::LinkInUse;
    const auto chosen = choosePort(host);
    if (!chosen)
        return AuditionResult::NoPort;
    PagerLink link(host);
    TracingHost traced(host, link.trace(), chosen->deviceName);
    OperationHost& h = link.trace() != nullptr ? static_cast<OperationHost&>(traced) : host;
    if (!link.open(chosen->deviceName))
        return AuditionResult::NoPort;

    // Presence check.
    link.clearReplyStatus();
    ExchangeRule presence;
    presence.frame = frame_text::kPresence;
    presence.attempts = 10;
    presence.pauseAfterSend = [](int i) { return 50 + 10 * i; };
    presence.waitMs = 2000;
    presence.expected = kStatusData;
    presence.pauseAfterMiss = [](int i) { return i == 4 ? 1000 : 0; };
    presence.clearOnReply = true;
    switch (exchange(link, presence)) {
    case QueryResult::TimedOut:
        link.close();
        h.showMessage(link_texts::kReadError5, MessageIcon::Stop);
        return AuditionResult::TimedOut;
    case QueryResult::NoReply:
        link.close();
        h.showMessage(link_texts::kReadError7, MessageIcon::Stop);
        return AuditionResult::NotPresent;
    case QueryResult::Reply:
        break;
    }

    // The audition command, up to three times; a missing ACK does not stop the
    // audition, the pager may well be playing already.
    const std::string frame = countedCommandFrame(request.command, request.parameters);
    ExchangeRule play;
    play.frame = frame;
    play.attempts = 3;
    play.pauseAfterSend = [](int i) { return 50 + 20 * i; };
    play.waitMs = 2000;
    play.expected = kStatusAck;
    play.timeoutEnds = false;
    play.clearOnReply = true;
    exchange(link, play);

    auto& state = linkAuditionState();
    state.allowed.store(false);
    state.startTick.store(tickCountMs());
    state.durationMs.store(request.durationMs);
    if (startTimer)
        startTimer(request.timerId, request.durationMs);
    link.close();
    return AuditionResult::Started;
}

} // namespace quorl
