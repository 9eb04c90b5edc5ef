#include "inventory/operation_record.h"

#include "base/printable_text.h"
#include "codeplug/checksums.h"
#include "codeplug/codeplug_state.h"
#include "inventory/inventory_recorder.h"
#include "link/fleet_write.h"
#include "link/sha256.h"

#include <cstdio>

namespace quorl::inventory {

std::string outcomeWord(OperationOutcome outcome) {
    switch (outcome) {
    case OperationOutcome::Succeeded:
        return "succeeded";
    case OperationOutcome::Cancelled:
        return "cancelled";
    case OperationOutcome::Failed:
        break;
    }
    return "failed";
}

void setIdentity(InventoryRecord& record, const PagerIdentity& identity) {
    record.serialNumber = identity.serialNumber;
    record.model = identity.model;
    record.firmware = identity.firmware;
}

std::vector<InventoryRecord> fleetRecords(const FleetResult& r, const std::string& operation) {
    InventoryRecord record;
    record.cradle = r.port;
    setIdentity(record, r.identity);
    record.operation = operation;
    record.result = outcomeWord(r.outcome);
    record.message = oneLineMessage(r.message);
    if (operation == "audio write") {
        record.voiceSha256 = r.sha256;
    } else if (!r.codeplug.empty()) {
        record.codeplug = r.codeplug;
        record.codeplugSha256 = sha256Hex(r.codeplug);
    }
    std::vector<InventoryRecord> records{record};
    if (!r.verify.empty()) {
        InventoryRecord check = record;
        check.operation = "verify";
        check.result = r.verify == "verified" ? "succeeded" : "failed";
        check.message = r.verify;
        check.codeplug.clear();
        records.push_back(std::move(check));
    }
    return records;
}

InventoryRecord documentRecord(const std::string& operation, const std::string& cradle,
                               const CodeplugState& state, OperationOutcome outcome,
                               const std::string& message) {
    InventoryRecord record;
    record.cradle = cradle;
    record.operation = operation;
    record.result = outcomeWord(outcome);
    record.message = oneLineMessage(message);
    const bool readFailed = operation == "read" && outcome != OperationOutcome::Succeeded;
    if (readFailed)
        return record;
    // What Write Codeplug sends, or what the read brought as its file holds it.
    CodeplugImage image = state.image;
    if (operation == "read") {
        image = preparedForFile(image);
    } else {
        updateChecksums(image);
        refreshModelOptionsMirror(image);
    }
    const PagerIdentity identity = identityOfImage(image, state.firmwareVersionText());
    record.serialNumber = identity.serialNumber;
    record.model = identity.model;
    if (operation == "read")
        record.firmware = identity.firmware;
    if (outcome == OperationOutcome::Succeeded && operation != "verify") {
        record.codeplug.assign(image.bytes().begin(), image.bytes().end());
        record.codeplugSha256 = sha256Hex(record.codeplug);
    }
    return record;
}

void recordOperations(const std::vector<InventoryRecord>& records) {
    for (const auto& r : records)
        if (std::string problem; !stationRecorder().record(r, &problem))
            std::fprintf(stderr, "quorl: the inventory did not take the record: %s\n",
                         printableText(problem).c_str());
}

void recordFleetWrite(const FleetResult& result) {
    recordOperations(fleetRecords(result, "write"));
}

} // namespace quorl::inventory
