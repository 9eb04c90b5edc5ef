#pragma once

#include <cstdio>
#include <string>

namespace quorl::vq4 {

// Opens `path` for writing (created or truncated) without following a symbolic link
// at it: a link planted in a working folder must not make the library overwrite the
// file it points to. Returns the descriptor, or -1.
int openNoFollowForWriting(const std::string& path);

// The same as a stdio stream in mode "wb" or "w"; nullptr on failure.
std::FILE* fopenNoFollowForWriting(const std::string& path, const char* mode);

// Copies `source` to `copy` through openNoFollowForWriting.
bool copyFileNoFollow(const std::string& source, const std::string& copy);

} // namespace quorl::vq4
