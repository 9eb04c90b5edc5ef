#pragma once

#include <cstddef>

namespace quorl {

// The computer's sound output takes 8 kHz 16-bit mono samples in blocks of 0.1 s; a
// recording's last block is filled up with silence.
inline constexpr std::size_t kPlayBlockBytes = 1600;

} // namespace quorl
