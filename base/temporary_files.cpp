#include "base/temporary_files.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/syscall.h>
#include <unistd.h>

namespace quorl {

namespace {

// Fixed storage: a signal handler may not allocate, and a program has only a few
// temporaries at once (one save per pager of a fleet, a scratch folder).
constexpr std::size_t kSlots = 64;
constexpr int kFree = 0, kFilling = 1, kInUse = 2;
// How deep a scratch folder's tree is followed (the voice library's is two deep).
constexpr int kMaxDepth = 6;

struct Slot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX]{};
};

std::array<Slot, kSlots> slots;

struct HoldSlot {
    std::atomic<int> state{kFree};
    void (*release)(int) = nullptr;
    int fd = -1;
};

// A program holds a cradle or a few at once (one per pager of a fleet).
std::array<HoldSlot, kSlots> holds;

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Removes `name` in the folder `fd`, a folder with what is in it; true when it went.
bool removeEntry(int fd, const char* name, int depth);

// Everything inside the folder `fd` (closed here), with only calls a signal handler
// may make. Read again from the start while a pass removed something, since a
// folder's listing is not stable under removal.
void emptyFolder(int fd, int depth) {
    alignas(8) char buffer[4096];
    for (bool removedAny = true; removedAny;) {
        removedAny = false;
        ::lseek(fd, 0, SEEK_SET);
        long n = 0;
        while ((n = ::syscall(SYS_getdents64, fd, buffer, sizeof buffer)) > 0) {
            for (long at = 0; at < n;) {
                // struct linux_dirent64: inode (8), offset (8), length (2), type (1), name.
                unsigned short length = 0;
                std::memcpy(&length, buffer + at + 16, sizeof length);
                const char* name = buffer + at + 19;
                at += length;
                if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0 &&
                    removeEntry(fd, name, depth))
                    removedAny = true;
            }
        }
    }
    ::close(fd);
}

bool removeEntry(int fd, const char* name, int depth) {
    if (::unlinkat(fd, name, 0) == 0)
        return true;
    if (errno != EISDIR || depth >= kMaxDepth)
        return false;
    const int inner = ::openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (inner >= 0)
        emptyFolder(inner, depth + 1);
    return ::unlinkat(fd, name, AT_REMOVEDIR) == 0;
}

void removeNow(const char* path) {
    if (::unlink(path) == 0 || errno != EISDIR)
        return;
    const int fd = ::open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0)
        emptyFolder(fd, 1);
    ::rmdir(path);
}

void onEndingSignal(int signal) {
    const int saved = errno;
    removeTemporariesNow();
    errno = saved;
    // The action is back to the default (SA_RESETHAND): once this returns, the
    // signal, blocked meanwhile, ends the program as it would have.
    ::raise(signal);
}

void installHandlers() {
    for (const int signal : kEndingSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
            continue; // ignored (nohup) or handled by the program itself
        struct sigaction action {};
        action.sa_handler = onEndingSignal;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

void installHandlersOnce() {
    static std::once_flag installed;
    std::call_once(installed, installHandlers);
}

// Claims a free slot of `table` and fills it with `fill` while no handler reads it;
// the slot's index, or -1 when every slot is taken.
template <typename Table, typename Fill> int claimSlot(Table& table, const Fill& fill) {
    installHandlersOnce();
    for (std::size_t i = 0; i < table.size(); ++i) {
        int expected = kFree;
        if (!table[i].state.compare_exchange_strong(expected, kFilling))
            continue;
        fill(table[i]);
        table[i].state.store(kInUse);
        return static_cast<int>(i);
    }
    return -1;
}

template <typename Table> void freeSlot(Table& table, int slot) {
    if (slot >= 0)
        table[static_cast<std::size_t>(slot)].state.store(kFree);
}

} // namespace

TemporaryOnSignal::TemporaryOnSignal(const std::filesystem::path& path) : slot_(-1) {
    const std::string& text = path.native();
    if (text.size() < PATH_MAX)
        slot_ = claimSlot(
            slots, [&text](Slot& slot) { std::memcpy(slot.path, text.c_str(), text.size() + 1); });
}

TemporaryOnSignal::~TemporaryOnSignal() {
    freeSlot(slots, slot_);
}

ReleaseOnSignal::ReleaseOnSignal(void (*release)(int fd), int fd)
    : slot_(claimSlot(holds, [release, fd](HoldSlot& hold) {
          hold.release = release;
          hold.fd = fd;
      })) {}

ReleaseOnSignal::~ReleaseOnSignal() {
    freeSlot(holds, slot_);
}

void removeTemporariesNow() {
    for (HoldSlot& hold : holds) {
        // Once only: the descriptor may be reused after its release closed it.
        int expected = kInUse;
        if (hold.state.compare_exchange_strong(expected, kFilling))
            hold.release(hold.fd);
    }
    for (Slot& slot : slots)
        if (slot.state.load() == kInUse)
            removeNow(slot.path);
}

} // namespace quorl
