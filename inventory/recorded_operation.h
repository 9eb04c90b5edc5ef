#pragma once

#include "inventory/inventory_record.h"
#include "link/codeplug_operation.h"
#include "link/custom_audio_download.h"
#include "link/forwarding_host.h"
#include "link/operation_host.h"

#include <array>
#include <filesystem>
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

// Write Custom Audio on an open link, for its record: the pager is asked who it is
// first (firmware, model, serial number, as the fleet's audio write asks), then the
// download runs exactly as without a record. `record` gets the cradle, the pager's
// identity and each stream's SHA-256 (joined by ';') as they become known; the
// operation, result and message are the caller's.
OperationOutcome identifiedAudioDownload(PagerLink& link, OperationHost& host,
                                         const std::array<DownloadSlot, kDownloadSlots>& slots,
                                         const StreamBuilder& buildStream, InventoryRecord& record);

// Write Custom Audio as the window runs it (the cradle chosen as for any operation,
// each stream built in a private folder under `buildFolder`), recorded in the
// inventory with the pager it wrote, its outcome and first message.
OperationOutcome runRecordedAudioWrite(CodeplugState& state, OperationHost& host,
                                       const std::array<DownloadSlot, kDownloadSlots>& slots,
                                       const std::filesystem::path& buildFolder);

} // namespace quorl::inventory
