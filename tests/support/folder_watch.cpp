#include "tests/support/folder_watch.h"

#include <array>
#include <cstring>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace quorl::test {

namespace {

constexpr std::uint32_t kChanges =
    IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO | IN_DELETE | IN_ATTRIB;

// Reads the waiting events; a folder made inside the watched one is watched too.
void takeEvents(int watch, const std::filesystem::path& folder) {
    alignas(inotify_event) std::array<char, 4096> buffer{};
    const auto n = ::read(watch, buffer.data(), buffer.size());
    for (ssize_t at = 0; at < n;) {
        inotify_event event{};
        std::memcpy(&event, buffer.data() + at, sizeof event);
        if ((event.mask & IN_ISDIR) && (event.mask & IN_CREATE) && event.len > 0)
            ::inotify_add_watch(watch, (folder / (buffer.data() + at + sizeof event)).c_str(),
                                kChanges);
        at += static_cast<ssize_t>(sizeof event + event.len);
    }
}

} // namespace

bool waitForFolderChange(const std::filesystem::path& folder, const std::function<bool()>& done,
                         std::chrono::milliseconds timeout) {
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch < 0)
        return done();
    ::inotify_add_watch(watch, folder.c_str(), kChanges);
    // Folders made before the watch began are watched as well.
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.is_directory(ec))
            ::inotify_add_watch(watch, entry.path().c_str(), kChanges);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool held = done();
    while (!held) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd changed{watch, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&changed, 1, static_cast<int>(left.count())) <= 0)
            break;
        takeEvents(watch, folder);
        held = done();
    }
    ::close(watch);
    return held || done();
}

} // namespace quorl::test
