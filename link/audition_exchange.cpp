#include "link/audition_exchange.h"

#include "link/comm_port.h"
#include "link/command_frames.h"
#include "link/exchange.h"
#include "link/link_shared.h"
#include "link/link_texts.h"
#include "link/link_timing.h"
#include "link/operation_host.h"
#include "link/operation_link_hold.h"
#include "link/port_choice.h"

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
    const LinkTiming& timing = linkTiming();
    // Before the port choice, which already renews the operation's drain event.
    if (pagerOperationHoldsLink())
        return AuditionResult::LinkInUse;
    const auto chosen = choosePort(host);
    if (!chosen)
        return AuditionResult::NoPort;
    CCommPort port(host);
    if (!port.Open(chosen->deviceName, kPagerBaud, kPagerByteSize, kStopBitsTwo, kParityNone))
        return AuditionResult::NoPort;

    // Presence check.
    clearReplyStatus();
    bool present = false;
    for (int i = 0; i < 10; ++i) {
        port.sendHexFrame(frame_text::kPresence);
        timing.sleep(50 + 10 * i);
        if (!waitForDrain(2000)) {
            port.Close();
            host.showMessage(link_texts::kReadError5, MessageIcon::Stop);
            return AuditionResult::TimedOut;
        }
        if (replyStatus() == kStatusData) {
            clearReplyStatus();
            present = true;
            break;
        }
        if (i == 4)
            timing.sleep(1000);
    }
    if (!present) {
        port.Close();
        host.showMessage(link_texts::kReadError7, MessageIcon::Stop);
        return AuditionResult::NotPresent;
    }

    // The audition command, up to three times; a missing ACK does not stop the
    // audition, the pager may well be playing already.
    const std::string frame = countedCommandFrame(request.command, request.parameters);
    constexpr int kSleeps[] = {50, 70, 90};
    for (int sleepMs : kSleeps) {
        port.sendHexFrame(frame);
        timing.sleep(sleepMs);
        if (waitForDrain(2000) && replyStatus() == kStatusAck) {
            clearReplyStatus();
            break;
        }
    }

    auto& state = linkAuditionState();
    state.allowed.store(false);
    state.startTick.store(tickCountMs());
    state.durationMs.store(request.durationMs);
    if (startTimer)
        startTimer(request.timerId, request.durationMs);
    port.Close();
    return AuditionResult::Started;
}

} // namespace quorl
