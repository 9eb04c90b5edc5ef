#pragma once

#include <stdexcept>

namespace quorl::cli {

// An output file (a trace, a log) the command could not write, found while the
// command line is read and so before any pager is touched. Not a usage error: the
// command fails (exit 1) with the file and the cause.
class RefusedOutput : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace quorl::cli
