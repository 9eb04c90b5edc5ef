#pragma once

#include <filesystem>
#include <string>

namespace quorl {

// Folders and files that only their user can change. Runtime and working files live
// in such folders, so another user of a shared machine can neither plant a file or a
// symbolic link there nor swap the folder for one of their own.

// The user's home: $HOME, else the password database; empty when neither names one.
std::filesystem::path userHomeFolder();

// Where per-user runtime files go (the simulators' registry, their links):
// $XDG_RUNTIME_DIR/tessaly-vi-quorl, else $XDG_STATE_HOME/tessaly-vi-quorl, else
// ~/.local/state/tessaly-vi-quorl. Empty when there is no home at all.
std::filesystem::path userRuntimeFolder();

// True when `folder` is a real folder (not a symbolic link) owned by the user and
// not writable by group or others, and every folder above it is the user's or
// root's and, when others may write to it, sticky. Otherwise false with the reason,
// naming the folder, in `problem`.
bool isPrivateFolder(const std::filesystem::path& folder, std::string& problem);

// Creates what is missing of `folder` with mode 0700, then checks it as
// isPrivateFolder does.
bool ensurePrivateFolder(const std::filesystem::path& folder, std::string& problem);

// An output folder the user names (`audio compress -o DIR`), made when missing: links
// in its path are judged as a save judges them, and it must be the user's own, not
// writable by others (nor by a group other than the user's own), below folders as
// isPrivateFolder requires. Returns a descriptor of the very folder checked, or -1
// with the folder and the cause in `problem`. Work inside it goes through the
// descriptor (openOwnSubfolder, writeFileAtomicallyAt), so no one can swap a name on
// the way for a link.
int openOwnFolder(const std::filesystem::path& folder, std::string& problem);

// The folder `name` inside the folder `parent`, made (0777 before the umask) when
// missing. An existing symbolic link at `name` is refused, never followed or reused,
// and the folder must be the user's own. A descriptor, or -1 with `problem` naming
// `shownAs`.
int openOwnSubfolder(int parent, const char* name, const std::string& shownAs,
                     std::string& problem);

// Opens `file` for reading without following a symbolic link; it must be a regular
// file owned by the user and not writable by others. Returns the descriptor, or -1
// with the reason in `problem` (errno tells ENOENT apart for callers that accept a
// missing file).
int openPrivateFile(const std::filesystem::path& file, std::string& problem);

} // namespace quorl
