#pragma once

#include <iosfwd>
#include <optional>

namespace quorl {

// Answers `tessaly-vi-quorl --help` and `--version` before any window system is
// touched, so both work without a display (and help2man can read them).
// Returns the exit code when one of them was asked for, else nothing and the
// program starts normally.
std::optional<int> answerInformationRequest(int argc, const char* const* argv, std::ostream& out);

} // namespace quorl
