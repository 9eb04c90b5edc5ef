#pragma once

namespace CLI {
class App;
}

namespace quorl::cli {

// --inventory URL, and `inventory list|show|codeplug|outdated|export|sync`.
void addInventoryCommands(CLI::App& app, int& exitCode);

} // namespace quorl::cli
