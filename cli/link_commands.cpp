#include "cli/link_commands.h"

#include "base/printable_text.h"
#include "cli/codeplug_commands.h"
#include "link/cradle_discovery.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace quorl::cli {

int runPorts(std::ostream& out, std::ostream& err) {
    const auto listing = listCradles(false);
    for (const auto& e : listing.errors)
        err << "quorl: " << printableText(e) << '\n';
    for (const auto& c : listing.cradles)
        out << printableText(c.portName) << '\t' << printableText(c.friendlyName) << '\n';
    if (listing.cradles.empty()) {
        err << "quorl: no programming cradle found\n";
        return kExitFailure;
    }
    return kExitOk;
}

void addLinkCommands(CLI::App& app, int& exitCode) {
    auto* ports = app.add_subcommand("ports", "List the connected programming cradles");
    ports->callback([&exitCode] { exitCode = runPorts(std::cout, std::cerr); });
}

} // namespace quorl::cli
