#pragma once

namespace CLI {
class App;
}

namespace quorl::cli {

// `--trace FILE` on a command that talks to a pager: every frame and reply, with the
// operation's steps and messages, appended to FILE as they happen.
void addTraceOption(CLI::App& command);

// After a command that traced the link: a trace that lost lines (a full disk) is
// said on standard error with the cause and turns `exitCode` into a failure; the
// operation itself was not stopped for it.
int exitCodeAfterTrace(int exitCode);

} // namespace quorl::cli
