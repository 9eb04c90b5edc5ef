#include "link/comm_port.h"
#include "link/link_state.h"
#include "link/link_texts.h"
#include "link/link_timing.h"
#include "link/link_trace.h"
#include "link/operation_host.h"
#include "link/staging_budget.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <poll.h>
#include <string>
#include <thread>

namespace quorl {

namespace {

using Clock = std::chrono::steady_clock;

// Bytes one Read of a drain takes at most.
constexpr std::size_t kDrainChunk = 528;

// A USB bridge passes a reply on in pieces, one per millisecond, so the queue runs dry
// inside a 73-byte block reply many times. A drain that finds the parser inside a frame
// waits for the rest as long as the line keeps talking: a quiet gap this long means the
// pager stopped. Four character times at 57,600 baud (0.8 ms) and the bridge's 1 ms
// frame are the line's part; the rest is margin for a loaded machine that runs the
// watcher (or the sender) late, so only a reply that really lost bytes ends the wait.
// The margin costs nothing then: the exchange waits seconds for its reply anyway.
constexpr auto kMidFrameQuietGap = std::chrono::milliseconds(100);

// However busy the line, a drain that waits for the rest of a frame ends after the
// longest frame's time (528 bytes take 101 ms at 57,600 baud) plus the quiet gap, so a
// device that never stops sending cannot keep the exchange from its drain event.
constexpr auto kMidFrameLimit = std::chrono::milliseconds(101) + kMidFrameQuietGap;

// What a poll() on the port says.
enum class PortWake { Characters, Quiet, Gone, Stop };

PortWake waitOnPort(int fd, int wake, int timeoutMs) {
    std::array<pollfd, 2> fds{{{fd, POLLIN, 0}, {wake, POLLIN, 0}}};
    const int r = ::poll(fds.data(), fds.size(), timeoutMs);
    if (r < 0)
        return errno == EINTR ? PortWake::Quiet : PortWake::Stop;
    if (fds[1].revents != 0)
        return PortWake::Stop; // Close asked us to stop
    // A hang-up or an error is no character-received event: the cradle is gone (a
    // hung-up tty also reports itself readable, with nothing to read).
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))
        return PortWake::Gone;
    if (fds[0].revents & POLLIN)
        return PortWake::Characters;
    return PortWake::Quiet;
}

} // namespace

void CCommPort::drain() {
    ReplyParser& parser = link_.parser;
    parser.reset();
    std::array<std::uint8_t, kDrainChunk> chunk{};
    StagingBudget budget;
    std::size_t total = 0;
    bool reportedFull = false;
    const auto started = Clock::now();
    // A device that never stops sending would keep the drain going for ever; Close
    // must still get the watcher back.
    while (connected_.load() != 0) {
        const std::size_t n = Read(chunk.data(), chunk.size());
        if (n == 0) {
            // The queue is dry. Outside a frame the drain ends here; inside one, the rest
            // of the reply is on its way.
            if (parser.state() == 0 || Clock::now() - started > kMidFrameLimit)
                break;
            const int gapMs = static_cast<int>(kMidFrameQuietGap.count());
            if (waitOnPort(fd_, wakePipe_[0], gapMs) != PortWake::Characters)
                break;
            continue;
        }
        if (!budget.take(n)) {
            if (link_.trace != nullptr)
                link_.trace->dropped(portName_, n);
            // A device that floods us would otherwise stack up one box per chunk;
            // one per drain says the same.
            if (!reportedFull)
                host_.postMessage(link_texts::kBuffFull, MessageIcon::Stop);
            reportedFull = true;
            continue;
        }
        total += n;
        if (link_.trace != nullptr)
            link_.trace->received(portName_, chunk.data(), n);
        for (std::size_t i = 0; i < n; ++i)
            parser.parseByte(chunk[i]);
        link_.lastReceivedMs.store(tickCountMs(), std::memory_order_release);
    }
    budget.empty();
    if (drainObserver_)
        drainObserver_(total);
    link_.drainEvent.set();
}

void ThreadWatchComm(CCommPort* port) {
    LinkState& shared = port->link_;
    const int fd = port->fd_;
    const int wake = port->wakePipe_[0];
    if (fd < 0 || wake < 0) {
        port->host_.postMessage(std::string(link_texts::kWatcherCreateError) + port->portName_,
                                MessageIcon::Stop);
        return;
    }
    if (shared.watcherRunFlag.load() == 0)
        return;
    bool portGone = false;
    while (shared.watcherRunFlag.load() != 0 && port->connected_.load() != 0) {
        // The time-out only lets the loop notice a run flag cleared without a Close.
        if (portGone) {
            // Nothing will come from an unplugged cradle: no drain, no drain event, so
            // the waiting exchange times out; only Close ends this wait.
            pollfd p{wake, POLLIN, 0};
            if (::poll(&p, 1, 250) > 0)
                break;
            continue;
        }
        switch (waitOnPort(fd, wake, 250)) {
        case PortWake::Characters:
            port->drain();
            break;
        case PortWake::Gone:
            portGone = true;
            break;
        case PortWake::Stop:
            return;
        case PortWake::Quiet:
            break;
        }
        std::this_thread::yield();
    }
}

} // namespace quorl
