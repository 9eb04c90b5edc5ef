#pragma once

#include <string>

namespace quorl::vq4 {

// Compares the last-write times of two files: positive when `first` is newer,
// 0 when equal, negative when older; -1 when `first` cannot be opened, -2 when
// `second` cannot.
int compareFileAge(const std::string& first, const std::string& second);

} // namespace quorl::vq4
