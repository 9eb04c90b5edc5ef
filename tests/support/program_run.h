#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorl::test {

struct ProgramRun {
    std::vector<std::string> args;                         // program first
    std::map<std::string, std::optional<std::string>> env; // set, or unset with nullopt
    std::string stdoutPath;                                // empty: captured
    std::chrono::milliseconds timeout{std::chrono::seconds(60)};
};

struct ProgramResult {
    int exitCode = -1;     // the exit status, or -1 when killed or timed out
    int signal = 0;        // the signal that ended it, if one did
    bool timedOut = false; // killed after the time-out
    std::string out, err;
};

// Runs a program of the build (no shell in between), feeding it /dev/null as input
// and collecting what it writes; kills it when the time-out passes.
ProgramResult runProgram(const ProgramRun& run);
ProgramResult runProgram(std::vector<std::string> args);

} // namespace quorl::test
