#pragma once

#include "inventory/inventory_store.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace quorl::inventory {

// Where the records go: nowhere, an SQLite file, or a PostgreSQL database (the
// connection as libpq takes it).
struct InventoryLocation {
    enum class Kind { None, Sqlite, Postgres };
    Kind kind = Kind::None;
    std::string target;
};

// "none", "sqlite:///path/file.sqlite", or "postgresql://..." / "postgres://...";
// nothing, with the reason in `problem`, for anything else.
std::optional<InventoryLocation> parseInventoryUrl(const std::string& url, std::string& problem);

// $XDG_DATA_HOME/tessaly-vi-quorl, else ~/.local/share/tessaly-vi-quorl.
std::filesystem::path userDataFolder();
// The store of one bench: inventory.sqlite in the user's data folder.
std::string defaultInventoryUrl();
// `option` (--inventory) when given, else $QUORL_INVENTORY, else the bench's own file.
std::string chosenInventoryUrl(const std::string& option);

// Opens the store, making the default folder private first. Throws SqlError.
std::unique_ptr<InventoryStore> openInventory(const InventoryLocation& location);

// A connection text as it may be shown: any password in it blanked out.
std::string withoutPassword(const std::string& url);

} // namespace quorl::inventory
