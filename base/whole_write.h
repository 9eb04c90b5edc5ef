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
// only when it is a regular file. Links are followed only as a save follows them
// (resolveSaveTarget), and the last name is opened without following one, so a link
// planted in a shared folder never redirects a log or trace. A file another user left
// in a sticky, world-writable folder is not appended to either: what is written there
// would be theirs to read. The descriptor, or -1 with `problem` naming the file and
// the cause.
int openForAppend(const std::filesystem::path& path, std::string* problem = nullptr);

// Appends `text` to `fd` (opened for appending) whole or not at all: when the disk
// fills part way, the part written is cut off again, so a log or trace never ends
// in half a line. False with errno saying why. Callers that share `fd` between
// threads or processes hold a lock around it.
bool appendWhole(int fd, std::string_view text);

} // namespace quorl
