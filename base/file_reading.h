#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace quorl {

// A file's open error in words a technician reads: "no such file", "permission
// denied", "is a folder", or the system's text.
std::string openProblem(int error);

// Reads up to `size` bytes from `fd`; fewer only at the end of the file.
std::size_t readUpTo(int fd, char* into, std::size_t size);

// Reads a regular file of at most `limit` bytes whole. A FIFO, a device or a
// folder is refused without waiting on it, and a larger file without reading it
// all. On failure `problem` says why ("no such file", "not a regular file",
// "larger than ...") and `tooLarge` tells the last case apart.
bool readSmallFile(const std::filesystem::path& path, std::size_t limit, std::string& contents,
                   std::string& problem, bool& tooLarge);

} // namespace quorl
