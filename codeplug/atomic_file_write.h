#pragma once

#include <cstddef>
#include <filesystem>
#include <span>

namespace quorl {

// Replaces `target` with `bytes` so that readers see either the old file or the
// whole new one: write a temporary file in the same folder, fsync it, rename it
// over the target, fsync the folder. The temporary file is removed on failure.
// An existing target keeps its permission bits; a symbolic link is followed.
bool writeFileAtomically(const std::filesystem::path& target, std::span<const std::byte> bytes);

} // namespace quorl
