#include "inventory/recorded_operation.h"

#include "inventory/operation_record.h"

namespace quorl::inventory {

OperationOutcome runRecordedOperation(OperationSelector selector, CodeplugState& state,
                                      OperationHost& host) {
    MessageKeepingHost keeping(host);
    const OperationOutcome outcome = runPagerOperation(selector, state, keeping);
    recordOperations({documentRecord(selector == OperationSelector::CodeplugRead ? "read" : "write",
                                     {}, state, outcome, keeping.firstMessage())});
    return outcome;
}

} // namespace quorl::inventory
