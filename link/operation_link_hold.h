#pragma once

namespace quorl {

// Whether a pager operation holds the cradle: from its port choice until its port is
// closed. The program runs one pager exchange at a time: an audition started
// meanwhile (a Play Pager button during Read, Write or Write Custom Audio) would find
// the cradle's port taken by the operation; it is refused instead.
bool pagerOperationHoldsLink();

// Holds the link for an operation while it lives. Holds are counted: the link is free
// again only when every operation has let go of its own (the cradles of a fleet run
// end one by one).
class OperationLinkHold {
public:
    OperationLinkHold();
    ~OperationLinkHold();
    OperationLinkHold(const OperationLinkHold&) = delete;
    OperationLinkHold& operator=(const OperationLinkHold&) = delete;
};

} // namespace quorl
