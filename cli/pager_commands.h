#pragma once

#include "cli/codeplug_source.h"
#include "link/codeplug_operation.h"

#include <functional>
#include <string>

namespace CLI {
class App;
}

namespace quorl::cli {

// `quorl read`, `quorl write` and `quorl verify`: the pager operations from a
// terminal. An empty port chooses the cradle as the program does.
// Runs `body` on the pager operation frame: on `port` when one is given, else on the
// cradle chosen as the program chooses it.
class CliOperationHost;
// When the port cannot be opened, the line under the message names the device and
// the cause.
OperationOutcome runOn(const std::string& port, CliOperationHost& host, const OperationBody& body,
                       OperationSelector selector);

int runRead(const std::string& port, const std::string& output);
int runWrite(const std::string& port, const CodeplugSource& source, bool verify);
int runVerify(const std::string& port, const CodeplugSource& source);

void addPagerCommands(CLI::App& app, int& exitCode);

} // namespace quorl::cli
