#include "inventory/inventory_location.h"

#include "base/private_folder.h"
#include "inventory/postgres_database.h"
#include "inventory/sqlite_database.h"

#include <cstdlib>
#include <regex>

namespace quorl::inventory {

namespace {

bool startsWith(const std::string& text, std::string_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

std::optional<InventoryLocation> parseInventoryUrl(const std::string& url, std::string& problem) {
    using Kind = InventoryLocation::Kind;
    if (url == "none")
        return InventoryLocation{Kind::None, {}};
    if (startsWith(url, "sqlite://")) {
        const std::string path = url.substr(9);
        if (path.empty() || path.front() != '/') {
            problem = "an SQLite inventory needs an absolute path: sqlite:///path/file.sqlite";
            return std::nullopt;
        }
        return InventoryLocation{Kind::Sqlite, path};
    }
    if (startsWith(url, "postgresql://") || startsWith(url, "postgres://"))
        return InventoryLocation{Kind::Postgres, url};
    problem = "not an inventory: " + withoutPassword(url) +
              " (use none, sqlite:///path/file.sqlite or postgresql://host/db)";
    return std::nullopt;
}

std::filesystem::path userDataFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        return std::filesystem::path(data) / "tessaly-vi-quorl";
    const auto home = userHomeFolder();
    return home.empty() ? std::filesystem::path() : home / ".local/share/tessaly-vi-quorl";
}

std::string defaultInventoryUrl() {
    return "sqlite://" + (userDataFolder() / "inventory.sqlite").string();
}

std::string chosenInventoryUrl(const std::string& option) {
    if (!option.empty())
        return option;
    if (const char* env = std::getenv("QUORL_INVENTORY"); env && *env)
        return env;
    return defaultInventoryUrl();
}

std::unique_ptr<InventoryStore> openInventory(const InventoryLocation& location) {
    if (location.kind == InventoryLocation::Kind::Postgres)
        return std::make_unique<InventoryStore>(
            std::make_unique<PostgresDatabase>(location.target));
    const std::filesystem::path file = location.target;
    // The bench's own store keeps its pagers' codeplugs: no one else may read them.
    if (file.parent_path() == userDataFolder()) {
        std::string problem;
        if (!ensurePrivateFolder(file.parent_path(), problem))
            throw SqlError(problem);
    }
    return std::make_unique<InventoryStore>(std::make_unique<SqliteDatabase>(file));
}

std::string withoutPassword(const std::string& url) {
    // user:password@ in a URL, password=... in a key-value connection text.
    static const std::regex inUrl(R"(://([^:/@]*):[^@/]*@)");
    static const std::regex keyValue(R"(password\s*=\s*('[^']*'|\S*))", std::regex::icase);
    const std::string a = std::regex_replace(url, inUrl, "://$1:***@");
    return std::regex_replace(a, keyValue, "password=***");
}

} // namespace quorl::inventory
