// The list of pagers by their last operation, asked of any store: each database has a
// query of its own for it, and both must give the same answers.
#pragma once

#include "inventory/inventory_store.h"

#include <string>

namespace quorl::test {

inventory::InventoryRecord recordAt(std::string id, std::string at, std::string serial,
                                    std::string station);

// Fills an empty store and checks the list under every filter.
void expectPagersListedByTheirLastOperation(inventory::InventoryStore& store);

} // namespace quorl::test
