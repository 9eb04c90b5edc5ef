#pragma once

#include "cli/fleet_commands.h"

#include <string>

namespace CLI {
class App;
}

namespace quorl::cli {

// Whether the messages go to a terminal, where progress is redrawn in place.
bool stderrIsTerminal();

// Which cradles a command talks to: one (--port, or the cradle found), or every
// connected cradle at once (--all) with its programming log (--log).
struct CradleChoice {
    std::string port;
    bool all = false;
    std::string log;

    FleetOptions fleet() const { return {log, stderrIsTerminal()}; }
};

// --port, --all (`allText`; not with --port), --log (only with --all) and --trace,
// the same on every command that can program a fleet.
void addCradleOptions(CLI::App& command, CradleChoice& choice, const std::string& allText);

} // namespace quorl::cli
