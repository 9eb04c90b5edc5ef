#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorl {

// Turns a command's hex text into the bytes that go on the wire: blanks are dropped,
// the rest is read in pairs (first character the high nibble); a character that is
// not a hexadecimal digit counts as 0, and a trailing single character is a high
// nibble with a low nibble of 0.
std::vector<std::uint8_t> hexTextToBytes(std::string_view text);

// The write pieces of a frame of `count` bytes: whole pieces of 8, then the rest.
// The cradle's bridge has always been fed this way.
std::vector<std::size_t> hexFramePieces(std::size_t count);

// "%02X" of each byte, blank-separated (for logs and the frame builders).
std::string bytesToHexText(std::span<const std::uint8_t> bytes);

} // namespace quorl
