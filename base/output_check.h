#pragma once

namespace quorl {

// A program's first step: std::cout keeps the cause of its first failed write for
// exitCodeAfterOutput to name.
void keepOutputErrors();

// A program's last step: flushes standard output and checks that all of it was
// written (a full disk, /dev/full, a closed pipe). When it was not, says so on
// standard error and turns a successful `exitCode` into 1; otherwise returns it.
int exitCodeAfterOutput(int exitCode, const char* program = "quorl");

} // namespace quorl
