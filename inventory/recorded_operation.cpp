#include "inventory/recorded_operation.h"

#include "audio/voice_build.h"
#include "inventory/operation_record.h"
#include "link/fleet_operation.h"
#include "link/fleet_write.h"
#include "link/pager_link.h"

namespace quorl::inventory {

OperationOutcome runRecordedOperation(OperationSelector selector, CodeplugState& state,
                                      OperationHost& host) {
    MessageKeepingHost keeping(host);
    std::string cradle;
    const OperationOutcome outcome = runPagerOperation(selector, state, keeping, {}, &cradle);
    recordOperations({documentRecord(selector == OperationSelector::CodeplugRead ? "read" : "write",
                                     cradle, state, outcome, keeping.firstMessage())});
    return outcome;
}

OperationOutcome identifiedAudioDownload(PagerLink& link, OperationHost& host,
                                         const std::array<DownloadSlot, kDownloadSlots>& slots,
                                         const StreamBuilder& buildStream,
                                         InventoryRecord& record) {
    record.cradle = link.port().portName();
    PagerIdentity identity;
    if (const auto known = identifyPager(link, host, identity);
        known != OperationOutcome::Succeeded)
        return known;
    setIdentity(record, identity);
    return downloadCustomAudio(link, host, slots, buildStream, [&record](const SentStream& sent) {
        if (!record.voiceSha256.empty())
            record.voiceSha256.push_back(';');
        record.voiceSha256.append(sent.sha256);
    });
}

OperationOutcome runRecordedAudioWrite(CodeplugState& state, OperationHost& host,
                                       const std::array<DownloadSlot, kDownloadSlots>& slots,
                                       const std::filesystem::path& buildFolder) {
    MessageKeepingHost keeping(host);
    InventoryRecord record;
    const OperationOutcome outcome = runPagerOperation(
        OperationSelector::CustomAudioDownload, state, keeping,
        [&](PagerLink& link, OperationHost& h) {
            // One download's builds; their private folders go with it.
            VoiceBuild voice(buildFolder);
            return identifiedAudioDownload(
                link, h, slots,
                [&voice](int slot, const std::string& wav) { return voice.build(slot, wav); },
                record);
        });
    record.operation = "audio write";
    record.result = outcomeWord(outcome);
    record.message = oneLineMessage(keeping.firstMessage());
    recordOperations({record});
    return outcome;
}

} // namespace quorl::inventory
