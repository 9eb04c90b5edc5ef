#pragma once

#include <CLI/CLI.hpp>

namespace quorl::cli {

// A file or folder named on the command line: "" names nothing, so it is a usage
// error, found before any pager is read or written.
inline CLI::Validator namedPath() {
    return CLI::Validator(
        [](const std::string& path) { return path.empty() ? std::string("names no file") : ""; },
        "");
}

} // namespace quorl::cli
