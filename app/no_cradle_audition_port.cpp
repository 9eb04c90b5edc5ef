#include "app/no_cradle_audition_port.h"

#include "app/app_texts.h"
#include "app/message_box.h"

namespace quorl {

void NoCradleAuditionPort::play(const AuditionRequest&, const std::function<void(int)>&) {
    showStopMessage(owner_, texts::kCommunicationError1);
    AuditionState::process().allow();
}

} // namespace quorl
