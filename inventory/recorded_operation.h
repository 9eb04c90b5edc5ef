#pragma once

#include "link/codeplug_operation.h"
#include "link/forwarding_host.h"

#include <mutex>
#include <string>

namespace quorl::inventory {

// Passes every call on to the operation's own host, keeping the first message shown
// for the operation's record.
class MessageKeepingHost : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;

    void showMessage(std::string_view text, MessageIcon icon) override {
        keep(text);
        ForwardingHost::showMessage(text, icon);
    }
    void postMessage(std::string_view text, MessageIcon icon) override {
        keep(text);
        ForwardingHost::postMessage(text, icon);
    }

    std::string firstMessage() const {
        std::lock_guard lock(mutex_);
        return first_;
    }

private:
    void keep(std::string_view text) {
        std::lock_guard lock(mutex_);
        if (first_.empty())
            first_ = text;
    }
    mutable std::mutex mutex_;
    std::string first_;
};

// Read Codeplug or Write Codeplug as the window runs it, recorded in the inventory
// with its outcome and first message.
OperationOutcome runRecordedOperation(OperationSelector selector, CodeplugState& state,
                                      OperationHost& host);

} // namespace quorl::inventory
