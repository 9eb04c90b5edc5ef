#include "base/output_check.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace quorl {

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
    return exitCode == 0 ? 1 : exitCode;
}

} // namespace quorl
