#pragma once

namespace CLI {
class App;
}

namespace quorl::cli {

// --version, --help-all and the closing part of `quorl --help` (exit status,
// environment, files). The manual page is generated from this help, so what
// the tool says about itself and what `man quorl` says cannot drift apart.
void describeTool(CLI::App& app);

} // namespace quorl::cli
