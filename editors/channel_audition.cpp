#include "editors/channel_audition.h"

#include <cstdint>

namespace quorl {

AuditionRequest channelAlertRequest(int alert) {
    AuditionRequest r;
    if (alert < 10) {
        r.command = 0xB5;
        r.parameters = {static_cast<std::uint8_t>(alert < 0 ? 0 : alert)};
    } else {
        r.command = 0xB0;
        r.parameters = {static_cast<std::uint8_t>(alert - 10)};
    }
    r.durationMs = kChannelAuditionMs;
    return r;
}

bool& channelPlayReady() {
    static bool ready = true;
    return ready;
}

} // namespace quorl
