#include "link/operation_link_hold.h"

#include "link/link_shared.h"

namespace quorl {

bool pagerOperationHoldsLink() {
    return linkShared().heldByOperation.load();
}

OperationLinkHold::OperationLinkHold() : owned_(!linkShared().heldByOperation.exchange(true)) {}

OperationLinkHold::~OperationLinkHold() {
    if (owned_)
        linkShared().heldByOperation.store(false);
}

void releaseOperationLinkHold() {
    linkShared().heldByOperation.store(false);
}

} // namespace quorl
