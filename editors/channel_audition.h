#pragma once

#include "editors/audition_port.h"

namespace quorl {

// A channel row's Play Pager button sounds the row's alert: the ten built-in
// alerts with command 0xB5, the five custom alerts (10..14) with 0xB0 and their
// slot 0..4. The pager is busy for four seconds.
inline constexpr int kChannelAuditionMs = 4000;
AuditionRequest channelAlertRequest(int alert);

// Shared by every channel page: a Play command may be sent. Cleared while the
// pager sounds an alert.
bool& channelPlayReady();

} // namespace quorl
