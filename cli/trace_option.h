#pragma once

namespace CLI {
class App;
}

namespace quorl::cli {

// `--trace FILE` on a command that talks to a pager: every frame and reply, with the
// operation's steps and messages, appended to FILE as they happen.
void addTraceOption(CLI::App& command);

} // namespace quorl::cli
