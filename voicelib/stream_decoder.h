#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace quorl::vq4 {

// Plays a compressed stream back into 16-bit samples as the pager's decoder
// does, from the stream bytes alone. Nothing when the first configuration byte
// names no codec; a stream cut short decodes up to its last whole code.
std::optional<std::vector<std::int16_t>> decodeStream(const std::uint8_t* data, std::size_t size);

} // namespace quorl::vq4
