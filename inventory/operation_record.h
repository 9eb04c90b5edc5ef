#pragma once

#include "inventory/inventory_record.h"
#include "link/fleet_operation.h"

#include <string>
#include <vector>

namespace quorl {
struct CodeplugState;
}

namespace quorl::inventory {

// "succeeded", "failed" or "cancelled".
std::string outcomeWord(OperationOutcome outcome);

// The pager's serial number, model and firmware, as it answered them.
void setIdentity(InventoryRecord& record, const PagerIdentity& identity);

// The records of one pager of a fleet run: its operation, and the read-back as a
// "verify" of its own when one was asked for.
std::vector<InventoryRecord> fleetRecords(const FleetResult& result, const std::string& operation);

// Records one pager of a fleet write as it ends (the Write to All Cradles window's
// pagers), whether or not a log is saved.
void recordFleetWrite(const FleetResult& result);

// The record of a single read, write or verify on `cradle`, from the document the
// operation worked on: the pager's codeplug when one was read or written whole, and
// nothing of the document when a read failed (it still holds the file before).
InventoryRecord documentRecord(const std::string& operation, const std::string& cradle,
                               const CodeplugState& state, OperationOutcome outcome,
                               const std::string& message);

// Records to the program's store; a store that cannot take it is told on standard
// error, never stopping the operation.
void recordOperations(const std::vector<InventoryRecord>& records);

} // namespace quorl::inventory
