#pragma once

namespace quorl {

// Whether a pager operation holds the cradle: from its port choice until its port is
// closed. The program runs one pager exchange at a time: an audition started
// meanwhile (a Play Pager button during Read, Write or Write Custom Audio) would find
// the cradle's port taken by the operation; it is refused instead.
bool pagerOperationHoldsLink();

// Holds the link for an operation while it lives. A hold taken while the link is
// already held (the operation frame inside a pager operation) leaves it to the outer.
class OperationLinkHold {
public:
    OperationLinkHold();
    ~OperationLinkHold();
    OperationLinkHold(const OperationLinkHold&) = delete;
    OperationLinkHold& operator=(const OperationLinkHold&) = delete;

private:
    bool owned_ = false;
};

// Lets the link go before the operation ends: a read whose port is closed and that
// now waits for the User Data window, from which auditions are welcome.
void releaseOperationLinkHold();

} // namespace quorl
