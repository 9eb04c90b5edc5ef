#pragma once

#include "editors/audition_port.h"

#include <functional>

namespace quorl {

class OperationHost;

// The Play Pager buttons' way to the pager in the cradle: the short audition
// exchange of the link, run on the interface thread. While Read, Write or Write
// Custom Audio holds the link the audition is refused and `refused` says so (a note in
// the status bar), so the running operation finishes unharmed.
class LinkAuditionPort : public AuditionPort {
public:
    explicit LinkAuditionPort(OperationHost& host, std::function<void()> refused = {})
        : host_(host), refused_(std::move(refused)) {}
    void play(const AuditionRequest& request,
              const std::function<void(int durationMs)>& startTimer) override;

private:
    OperationHost& host_;
    std::function<void()> refused_;
};

} // namespace quorl
