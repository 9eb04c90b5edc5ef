#include "link/operation_link_hold.h"

#include <atomic>

namespace quorl {

namespace {

std::atomic<bool>& heldByOperation() {
    static std::atomic<bool> held{false};
    return held;
}

} // namespace

bool pagerOperationHoldsLink() {
    return heldByOperation().load();
}

OperationLinkHold::OperationLinkHold() : owned_(!heldByOperation().exchange(true)) {}

OperationLinkHold::~OperationLinkHold() {
    if (owned_)
        heldByOperation().store(false);
}

void releaseOperationLinkHold() {
    heldByOperation().store(false);
}

} // namespace quorl
