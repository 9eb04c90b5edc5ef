#include "link/comm_port.h"
#include "link/link_shared.h"
#include "link/link_texts.h"
#include "link/operation_host.h"
#include "link/reply_parser.h"
#include "link/staging_budget.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <poll.h>
#include <string>
#include <thread>

namespace quorl {

namespace {
// Bytes one Read of a drain takes at most.
constexpr std::size_t kDrainChunk = 528;
} // namespace

void CCommPort::drain() {
    ReplyParser& parser = replyParser();
    parser.reset();
    std::array<std::uint8_t, kDrainChunk> chunk{};
    StagingBudget budget;
    std::size_t total = 0;
    bool reportedFull = false;
    // A device that never stops sending would keep the drain going for ever; Close
    // must still get the watcher back.
    while (connected_.load() != 0) {
        const std::size_t n = Read(chunk.data(), chunk.size());
        if (n == 0)
            break;
        if (!budget.take(n)) {
            // A device that floods us would otherwise stack up one box per chunk;
            // one per drain says the same.
            if (!reportedFull)
                host_.postMessage(link_texts::kBuffFull, MessageIcon::Stop);
            reportedFull = true;
            continue;
        }
        total += n;
        for (std::size_t i = 0; i < n; ++i)
            parser.parseByte(chunk[i]);
    }
    budget.empty();
    if (drainObserver_)
        drainObserver_(total);
    linkShared().drainEvent.set();
}

void ThreadWatchComm(CCommPort* port) {
    LinkShared& shared = linkShared();
    const int fd = port->fd_;
    const int wake = port->wakePipe_[0];
    if (fd < 0 || wake < 0) {
        port->host_.postMessage(std::string(link_texts::kWatcherCreateError) + port->portName_,
                                MessageIcon::Stop);
        return;
    }
    if (shared.watcherRunFlag.load() == 0)
        return;
    while (shared.watcherRunFlag.load() != 0 && port->connected_.load() != 0) {
        std::array<pollfd, 2> fds{{{fd, POLLIN, 0}, {wake, POLLIN, 0}}};
        // The time-out only lets the loop notice a run flag cleared without a Close.
        const int r = ::poll(fds.data(), fds.size(), 250);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[1].revents != 0)
            break; // Close asked us to stop
        if (fds[0].revents & POLLIN)
            port->drain();
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            // The other end went away (cradle unplugged, simulator ended). That is no
            // character-received event; wait a little instead of spinning on it.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        std::this_thread::yield();
    }
}

} // namespace quorl
