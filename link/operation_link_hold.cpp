#include "link/operation_link_hold.h"

#include <atomic>

namespace quorl {

namespace {

// Holds of every operation now running; the link is free only when none is left.
std::atomic<int>& holdCount() {
    static std::atomic<int> count{0};
    return count;
}

} // namespace

bool pagerOperationHoldsLink() {
    return holdCount().load() > 0;
}

OperationLinkHold::OperationLinkHold() {
    holdCount().fetch_add(1);
}

OperationLinkHold::~OperationLinkHold() {
    holdCount().fetch_sub(1);
}

} // namespace quorl
