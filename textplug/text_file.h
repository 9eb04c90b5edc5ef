#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quorl::textplug {

// The name that stands for standard input or output.
inline constexpr const char* kStandardStream = "-";
bool isStandardStream(const std::filesystem::path& path);
// "-", /dev/stdin or /dev/fd/N: a pipe or file the program was handed open.
bool isGivenStream(const std::filesystem::path& path);

// Reads a codeplug text file whole, refusing one larger than kMaxTextBytes without
// reading it all, and a FIFO, device or folder without waiting on it. On failure
// `error` says why ("no such file", "not a regular file", "the file is larger than
// 1 MB..."). "-", /dev/stdin and /dev/fd/N read the pipe or file the program
// was handed, to its end.
std::optional<std::string> readTextFile(const std::filesystem::path& path, std::string& error);

// Whether `path` names a codeplug text (.yaml or .yml) rather than a .ppg file.
bool isTextFile(const std::filesystem::path& path);

} // namespace quorl::textplug
