#pragma once

#include <iosfwd>

namespace CLI {
class App;
}

namespace quorl::cli {

// `quorl ports`: the programming cradles found, one a line: port name, a tab, the
// friendly name. Exit 1 with a note on standard error when there is none.
int runPorts(std::ostream& out, std::ostream& err);

void addLinkCommands(CLI::App& app, int& exitCode);

} // namespace quorl::cli
