#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace quorl {

// Writes all of `bytes` to `fd`, going on after a partial or interrupted write.
// False on an error, or on a write that makes no progress (a full disk); errno says
// why.
bool writeWhole(int fd, std::span<const std::byte> bytes);

inline bool writeWhole(int fd, std::string_view text) {
    return writeWhole(fd, std::as_bytes(std::span(text.data(), text.size())));
}

// Every file the program writes (codeplugs, texts, reports, logs, traces) is a
// regular file. An existing device, FIFO or socket at the target is never written
// to or replaced: a save onto /dev/null as root would otherwise replace the
// system's device with a file. True when `target` is absent or a regular file
// (links followed); otherwise false, with `problem` naming the target.
bool isRegularFileTarget(const std::filesystem::path& target, std::string& problem);
// The words for such a target, naming it.
std::string notRegularFileProblem(const std::filesystem::path& target);

// Opens `path` for appending, creating it (0644 before the umask) when missing, and
// only when it is a regular file. The descriptor, or -1 with `problem` saying why.
int openForAppend(const std::filesystem::path& path, std::string* problem = nullptr);

} // namespace quorl
