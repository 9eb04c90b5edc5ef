#pragma once

#include "link/event.h"
#include "link/link_shared.h"
#include "link/reply_parser.h"

#include <atomic>

namespace quorl {

class LinkTrace;

// What the watcher and the exchanges of one open port share. Each link has its own,
// so two cradles served at once never see each other's replies.
struct LinkState {
    ReplyMailbox mailbox;
    Event drainEvent;
    std::atomic<OperationSelector> selector{OperationSelector::None};
    std::atomic<int> watcherRunFlag{0};
    // Fed by the link's watcher only.
    ReplyParser parser{mailbox, selector};
    // When the watcher last took bytes off the line (steady milliseconds), after it
    // fed them to the parser.
    std::atomic<long long> lastReceivedMs{0};
    // Where the link's bytes are recorded; null when nobody asked for a trace.
    LinkTrace* trace = nullptr;
};

} // namespace quorl
