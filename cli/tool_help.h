#pragma once

#include <initializer_list>
#include <string_view>
#include <utility>

namespace CLI {
class App;
}

namespace quorl::cli {

// --version, --help-all and the closing part of `quorl --help` (exit status,
// environment, files). The manual page is generated from this help, so what
// the tool says about itself and what `man quorl` says cannot drift apart.
void describeTool(CLI::App& app);

// What each exit code of one command means, shown under the command in its --help,
// in `quorl --help-all` and so in the manual page. Usage errors (2) are added.
void describeExitCodes(CLI::App& command,
                       std::initializer_list<std::pair<int, std::string_view>> codes);

} // namespace quorl::cli
