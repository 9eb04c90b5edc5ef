#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quorl::textplug {

// Reads a codeplug text file whole, refusing one larger than kMaxTextBytes without
// reading it all, and a FIFO, device or folder without waiting on it. On failure
// `error` says why ("no such file", "not a regular file", "the file is larger than
// 1 MB...").
std::optional<std::string> readTextFile(const std::filesystem::path& path, std::string& error);

// Whether `path` names a codeplug text (.yaml or .yml) rather than a .ppg file.
bool isTextFile(const std::filesystem::path& path);

} // namespace quorl::textplug
