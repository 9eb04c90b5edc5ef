#pragma once

#include <string>

namespace quorl::cli {

// Why a serial device could not be opened, in words: "no such device", "not a
// terminal", "permission denied" or "in use by another program". Asked only after an
// open failed, so looking does not disturb a pager operation.
std::string describePortProblem(const std::string& device);

} // namespace quorl::cli
