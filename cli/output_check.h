#pragma once

namespace quorl::cli {

// Every command's last step: flushes standard output and checks that all of it was
// written (a full disk, /dev/full, a closed pipe). When it was not, says so on
// standard error and turns `exitCode` into a failure; otherwise returns it.
int exitCodeAfterOutput(int exitCode, const char* program = "quorl");

// After a command that traced the link: a trace that lost lines (a full disk) is
// said on standard error with the cause and turns `exitCode` into a failure; the
// operation itself was not stopped for it.
int exitCodeAfterTrace(int exitCode);

} // namespace quorl::cli
