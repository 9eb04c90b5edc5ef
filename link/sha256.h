#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace quorl {

// SHA-256 of bytes, as 64 lower-case hex digits.
std::string sha256Hex(std::span<const std::uint8_t> bytes);
// Of a whole file; nothing when it cannot be read.
std::optional<std::string> sha256OfFile(const std::filesystem::path& path);

} // namespace quorl
