#pragma once

#include "editors/audition_port.h"

namespace quorl {

class OperationHost;

// The Play Pager buttons' way to the pager in the cradle: the short audition
// exchange of the link, run on the interface thread.
class LinkAuditionPort : public AuditionPort {
public:
    explicit LinkAuditionPort(OperationHost& host) : host_(host) {}
    void play(const AuditionRequest& request,
              const std::function<void(int durationMs)>& startTimer) override;

private:
    OperationHost& host_;
};

} // namespace quorl
