#include "link/operation_link_hold.h"

#include <algorithm>
#include <atomic>
#include <vector>

namespace quorl {

namespace {

// Holds of every operation now running; the link is free only when none is left.
std::atomic<int>& holdCount() {
    static std::atomic<int> count{0};
    return count;
}

// The holds an operation took on its own thread: what releasing its link lets go.
thread_local std::vector<OperationLinkHold*> holdsOfThisThread;

} // namespace

bool pagerOperationHoldsLink() {
    return holdCount().load() > 0;
}

OperationLinkHold::OperationLinkHold() {
    holdCount().fetch_add(1);
    holdsOfThisThread.push_back(this);
}

OperationLinkHold::~OperationLinkHold() {
    release();
    std::erase(holdsOfThisThread, this);
}

void OperationLinkHold::release() {
    if (held_)
        holdCount().fetch_sub(1);
    held_ = false;
}

void releaseOperationLinkHold() {
    for (OperationLinkHold* hold : holdsOfThisThread)
        hold->release();
}

} // namespace quorl
