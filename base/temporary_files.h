#pragma once

#include <filesystem>

namespace quorl {

// A file or folder that exists only while the program works on it (a save's
// temporary beside its target, a private scratch folder). While one is registered,
// Ctrl-C, a hang-up or a termination signal removes it (a folder with everything in
// it) before the program ends as the signal says, instead of leaving it behind among
// the user's files. Handlers the program set for those signals itself are left alone;
// such a handler calls removeTemporariesNow() before it ends the program.
class TemporaryOnSignal {
public:
    explicit TemporaryOnSignal(const std::filesystem::path& path);
    // Forgets the name; removing it on the normal way out is the owner's work.
    ~TemporaryOnSignal();
    TemporaryOnSignal(const TemporaryOnSignal&) = delete;
    TemporaryOnSignal& operator=(const TemporaryOnSignal&) = delete;

private:
    int slot_;
};

// A hold on something outside the program that a signal's way out must give back
// first (a cradle's exclusive use, which another holder of the line would otherwise
// keep alive after the program is gone). `release` is called with `fd` and may make
// only the calls a signal handler may make.
class ReleaseOnSignal {
public:
    ReleaseOnSignal(void (*release)(int fd), int fd);
    // Forgets the hold; giving it back on the normal way out is the owner's work.
    ~ReleaseOnSignal();
    ReleaseOnSignal(const ReleaseOnSignal&) = delete;
    ReleaseOnSignal& operator=(const ReleaseOnSignal&) = delete;

private:
    int slot_;
};

// Gives back every registered hold, then removes every registered temporary, now.
// Safe in a signal handler.
void removeTemporariesNow();

} // namespace quorl
