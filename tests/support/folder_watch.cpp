#include "tests/support/folder_watch.h"

#include <array>
#include <cstring>
#include <map>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace quorl::test {

namespace {

constexpr std::uint32_t kChanges =
    IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO | IN_DELETE | IN_ATTRIB;

// The folders watched, by watch descriptor: an event names its file relative to
// the folder of its descriptor.
using Watched = std::map<int, std::filesystem::path>;

// Watches `folder` and every folder already inside it.
void watchTree(int watch, const std::filesystem::path& folder, Watched& watched) {
    if (const int wd = ::inotify_add_watch(watch, folder.c_str(), kChanges); wd >= 0)
        watched[wd] = folder;
    std::error_code ec;
    for (std::filesystem::recursive_directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec))
        if (it->is_directory(ec) && !it->is_symlink(ec))
            if (const int wd = ::inotify_add_watch(watch, it->path().c_str(), kChanges); wd >= 0)
                watched[wd] = it->path();
}

// Reads the waiting events; a folder made inside a watched one is watched too, with
// whatever was made in it before its watch began.
void takeEvents(int watch, Watched& watched) {
    alignas(inotify_event) std::array<char, 4096> buffer{};
    const auto n = ::read(watch, buffer.data(), buffer.size());
    for (ssize_t at = 0; at < n;) {
        inotify_event event{};
        std::memcpy(&event, buffer.data() + at, sizeof event);
        const auto parent = watched.find(event.wd);
        if ((event.mask & IN_ISDIR) && (event.mask & IN_CREATE) && event.len > 0 &&
            parent != watched.end())
            watchTree(watch, parent->second / (buffer.data() + at + sizeof event), watched);
        at += static_cast<ssize_t>(sizeof event + event.len);
    }
}

} // namespace

bool waitForFolderChange(const std::filesystem::path& folder, const std::function<bool()>& done,
                         std::chrono::milliseconds timeout) {
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch < 0)
        return done();
    Watched watched;
    watchTree(watch, folder, watched);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool held = done();
    while (!held) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd changed{watch, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&changed, 1, static_cast<int>(left.count())) <= 0)
            break;
        takeEvents(watch, watched);
        held = done();
    }
    ::close(watch);
    return held || done();
}

} // namespace quorl::test
