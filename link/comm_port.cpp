#include "link/comm_port.h"

#include "base/temporary_files.h"
#include "link/hex_frame.h"
#include "link/link_state.h"
#include "link/link_texts.h"
#include "link/link_trace.h"
#include "link/operation_host.h"
#include "link/serial_line.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace quorl {

namespace {

// The Windows driver was asked for 2 ms per byte at 57,600 baud (115,200 / baud); we
// allow that plus a margin for the scheduler, since a write that never completes must
// not hang the operation.
int writeTimeoutMs(std::size_t count, unsigned baud) {
    const unsigned perByte = baud == 0 ? 2 : std::max(1u, 115200u / baud);
    return static_cast<int>(count * perByte) + 1000;
}

// Another holder of the tty (the simulator keeps one) would otherwise keep the
// exclusive flag alive and lock the next operation out. Only calls a signal handler
// may make: the mark goes while the lock is still held, so nobody sees a mark
// without its holder.
void endExclusiveUse(int fd) {
    ::ioctl(fd, TIOCNXCL);
    ::flock(fd, LOCK_UN);
    ::close(fd);
}

} // namespace

CCommPort::CCommPort(OperationHost& host, LinkState& link) : host_(host), link_(link) {
    link_.watcherRunFlag.store(0);
}

CCommPort::~CCommPort() {
    if (isConnected())
        Close();
    if (watcher_.joinable() && watcher_.get_id() != std::this_thread::get_id())
        watcher_.join();
    releaseDescriptors();
}

bool CCommPort::Open(const std::string& portName, unsigned baud, int byteSize, int stopBitsCode,
                     int parityCode) {
    if (isConnected() || fd_ >= 0)
        return false;
    // The wake-up pipe stands in for the overlap events: it is how Close releases the
    // watcher's wait.
    if (::pipe2(wakePipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        wakePipe_[0] = wakePipe_[1] = -1;
        return false;
    }
    portName_ = portName;
    fd_ = ::open(portName.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    bool usable = fd_ >= 0 && ::isatty(fd_) == 1;
    // Exclusive use: TIOCEXCL keeps other programs from opening the tty; the lock also
    // holds against a second opener with root rights, which TIOCEXCL lets through.
    if (usable && ::flock(fd_, LOCK_EX | LOCK_NB) != 0)
        usable = false;
    if (usable && ::ioctl(fd_, TIOCEXCL) != 0)
        usable = false;
    if (!usable) {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
        releaseDescriptors();
        if (link_.trace != nullptr)
            link_.trace->message(portName, link_texts::kUnableToConnect);
        host_.showMessage(link_texts::kUnableToConnect, MessageIcon::Stop);
        return false;
    }
    releaseOnSignal_ = std::make_unique<ReleaseOnSignal>(endExclusiveUse, fd_);
    ::tcflush(fd_, TCIOFLUSH);

    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0 ||
        !applyLineSettings(tio, baud, byteSize, stopBitsCode, parityCode) ||
        ::tcsetattr(fd_, TCSANOW, &tio) != 0) {
        releaseDescriptors();
        return false;
    }

    connected_.store(1);
    link_.watcherRunFlag.store(1);
    try {
        watcher_ = std::thread(ThreadWatchComm, this);
    } catch (const std::system_error&) {
        Close();
        return false;
    }
    return true;
}

void CCommPort::Close() {
    connected_.store(0);
    link_.watcherRunFlag.store(0);
    if (wakePipe_[1] >= 0) {
        const char c = 'x';
        [[maybe_unused]] const auto n = ::write(wakePipe_[1], &c, 1);
    }
    // Unlike the original driver wait, the watcher is joined here: it must not touch
    // the descriptor after it is closed (and perhaps reused by the next open).
    if (watcher_.joinable() && watcher_.get_id() != std::this_thread::get_id())
        watcher_.join();
    if (fd_ >= 0)
        ::tcflush(fd_, TCIOFLUSH);
    releaseDescriptors();
}

void CCommPort::releaseDescriptors() {
    if (fd_ >= 0) {
        releaseOnSignal_.reset();
        endExclusiveUse(fd_);
        fd_ = -1;
    }
    for (int& p : wakePipe_) {
        if (p >= 0)
            ::close(p);
        p = -1;
    }
}

std::size_t CCommPort::Write(const std::uint8_t* bytes, std::size_t count) {
    if (!isConnected() || fd_ < 0)
        return 0;
    if (writeObserver_)
        writeObserver_(count);
    std::size_t done = 0;
    const int timeout = writeTimeoutMs(count, kPagerBaud);
    while (done < count) {
        const ssize_t n = ::write(fd_, bytes + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{fd_, POLLOUT, 0};
            if (::poll(&p, 1, timeout) > 0 && (p.revents & POLLOUT))
                continue;
        }
        // Failure: forget what is queued, as clearing the port's error state does.
        ::tcflush(fd_, TCOFLUSH);
        return 0;
    }
    return done;
}

std::size_t CCommPort::Read(std::uint8_t* buffer, std::size_t maximum) {
    if (fd_ < 0 || maximum == 0)
        return 0;
    int queued = 0;
    if (::ioctl(fd_, FIONREAD, &queued) != 0 || queued <= 0)
        return 0;
    const std::size_t want = std::min<std::size_t>(maximum, static_cast<std::size_t>(queued));
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, want);
        if (n > 0)
            return static_cast<std::size_t>(n);
        if (n < 0 && errno == EINTR)
            continue;
        return 0;
    }
}

std::size_t CCommPort::waitingBytes() const {
    int queued = 0;
    if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &queued) != 0 || queued <= 0)
        return 0;
    return static_cast<std::size_t>(queued);
}

void CCommPort::sendHexFrame(std::string_view text) {
    const auto bytes = hexTextToBytes(text);
    // The frame as one event, however many writes carry it.
    if (link_.trace != nullptr && isConnected())
        link_.trace->sent(portName_, bytes.data(), bytes.size());
    std::size_t offset = 0;
    for (std::size_t piece : hexFramePieces(bytes.size())) {
        Write(bytes.data() + offset, piece);
        offset += piece;
    }
}

} // namespace quorl
