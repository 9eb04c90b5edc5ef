#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace quorl {

// Writes all of `bytes` to `fd`, going on after a partial or interrupted write.
// False on an error, or on a write that makes no progress (a full disk); errno says
// why.
bool writeWhole(int fd, std::span<const std::byte> bytes);

inline bool writeWhole(int fd, std::string_view text) {
    return writeWhole(fd, std::as_bytes(std::span(text.data(), text.size())));
}

} // namespace quorl
