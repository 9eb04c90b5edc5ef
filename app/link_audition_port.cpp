#include "app/link_audition_port.h"

#include "link/audition_exchange.h"

namespace quorl {

void LinkAuditionPort::play(const AuditionRequest& request,
                            const std::function<void(int durationMs)>& startTimer) {
    AuditionCommand command;
    command.command = request.command;
    command.parameters = request.parameters;
    command.durationMs = request.durationMs;
    const auto result = auditionExchange(host_, command, [&startTimer](int, int durationMs) {
        // The buttons of every window read the editors' flag; the owner's timer sets
        // it again.
        AuditionState::process().started(durationMs);
        if (startTimer)
            startTimer(durationMs);
    });
    if (result == AuditionResult::LinkInUse && refused_)
        refused_();
}

} // namespace quorl
