#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quorl {

// What the Custom Audio window's header check does not look at but compression
// needs: a format chunk of at least 16 bytes and a data chunk, each chunk's size
// within the file. Returns the problem in words, or nothing for a sound file. The
// file must be a regular file; nothing else is opened.
std::optional<std::string> wavDataProblem(const std::filesystem::path& file);

} // namespace quorl
