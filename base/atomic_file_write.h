#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>

namespace quorl {

struct FileWriteOptions {
    // Rename over a symbolic link at the target instead of saving through it.
    bool replaceLinks = false;
    // Permission bits of a new file, before the umask.
    unsigned newFileMode = 0666;
};

// Replaces `target` with `bytes` so that readers see either the old file or the
// whole new one: write a temporary file in the same folder, fsync it, rename it
// over the target, fsync the folder. The temporary file is removed on failure.
// An existing target keeps its permission bits; other hard links to it keep the
// old contents. A symbolic link is followed only where the kernel's protection of
// sticky, world-writable folders would follow it (see resolveSaveTarget). On
// failure `problem`, when given, says why in words naming the file.
bool writeFileAtomically(const std::filesystem::path& target, std::span<const std::byte> bytes,
                         std::string* problem = nullptr, const FileWriteOptions& options = {});

// As writeFileAtomically, for the file `name` inside the folder open as `folder`
// (see openOwnFolder): the temporary, the rename and the check of what is there all
// go through the descriptor. An existing symbolic link, device, FIFO or socket at
// `name` is refused and left as it is. `shownAs` names the file in `problem`.
bool writeFileAtomicallyAt(int folder, const std::string& name, std::span<const std::byte> bytes,
                           const std::filesystem::path& shownAs, std::string* problem = nullptr);

// Where a save of `requested` lands: links anywhere in the path are followed one by
// one, each only when it lies outside a sticky world-writable folder, or belongs to
// the user, or to the folder's owner. The result holds no links. False with the
// reason when a link may not be followed.
bool resolveSaveTarget(const std::filesystem::path& requested, std::filesystem::path& target,
                       std::string& problem);

// Checks before any work is done that a save of `target` could succeed: links as
// above, not a folder, and a folder that exists and the user may write to.
bool canWriteFileAtomically(const std::filesystem::path& target, std::string& problem);

} // namespace quorl
