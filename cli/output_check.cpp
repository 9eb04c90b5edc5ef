#include "cli/output_check.h"

#include "cli/codeplug_commands.h"
#include "link/link_trace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace quorl::cli {

int exitCodeAfterOutput(int exitCode, const char* program) {
    errno = 0;
    std::cout.flush();
    const bool streamFailed = !std::cout;
    const bool flushFailed = std::fflush(stdout) != 0;
    const int error = errno;
    if (!streamFailed && !flushFailed && !std::ferror(stdout))
        return exitCode;
    std::fprintf(stderr, "%s: cannot write the output: %s\n", program,
                 error ? std::strerror(error) : "write error");
    return exitCode == kExitOk ? kExitFailure : exitCode;
}

int exitCodeAfterTrace(int exitCode) {
    const LinkTrace* trace = activeLinkTrace();
    if (trace == nullptr || trace->problem().empty())
        return exitCode;
    std::fprintf(stderr, "quorl: lines are missing from the trace file %s\n",
                 trace->problem().c_str());
    return exitCode == kExitOk ? kExitFailure : exitCode;
}

} // namespace quorl::cli
