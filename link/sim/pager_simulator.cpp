#include "link/sim/pager_simulator.h"

#include "link/hex_frame.h"
#include "link/sim/pager_line_check.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace quorl::sim {

using Clock = std::chrono::steady_clock;

bool parseFaultRule(FaultKind kind, const std::string& text, FaultRule& out) {
    FaultRule r;
    r.kind = kind;
    std::string rest = text;
    if (const auto colon = rest.find(':'); colon != std::string::npos) {
        const std::string n = rest.substr(colon + 1);
        if (n.empty() || n.find_first_not_of("0123456789") != std::string::npos)
            return false;
        r.times = std::atoi(n.c_str());
        rest.erase(colon);
    }
    if (const auto at = rest.find('@'); at != std::string::npos) {
        const std::string a = rest.substr(at + 1);
        if (a.empty() || a.size() > 4 ||
            a.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return false;
        r.address = static_cast<int>(std::strtol(a.c_str(), nullptr, 16));
        rest.erase(at);
    }
    if (rest != "*") {
        if (rest.rfind("0x", 0) == 0 || rest.rfind("0X", 0) == 0)
            rest.erase(0, 2);
        if (rest.empty() || rest.size() > 2 ||
            rest.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return false;
        r.command = static_cast<std::uint8_t>(std::strtol(rest.c_str(), nullptr, 16));
    }
    out = r;
    return true;
}

PagerSimulator::PagerSimulator(PagerModel model, SimulatorOptions options)
    : model_(std::move(model)), options_(std::move(options)) {}

PagerSimulator::~PagerSimulator() {
    stop();
}

bool PagerSimulator::start(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = "cannot open a pseudo-terminal";
        stop();
        return false;
    }
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        error = "cannot name the pseudo-terminal";
        stop();
        return false;
    }
    devicePath_ = name;
    // Holding the slave open keeps the line up between the program's operations, which
    // each open and close the port, as a cradle stays plugged in. Its settings are left
    // as a new tty starts (canonical mode, echo, CR translation, XON/XOFF, 38,400 baud),
    // as a freshly plugged-in cradle starts: setting up the line is the program's job.
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        error = "cannot open " + devicePath_;
        stop();
        return false;
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = "cannot create a pipe";
        stop();
        return false;
    }
    running_.store(true);
    thread_ = std::thread([this] { run(); });
    return true;
}

void PagerSimulator::stop() {
    running_.store(false);
    noteChange();
    if (wake_[1] >= 0) {
        const char c = 'x';
        [[maybe_unused]] const auto n = ::write(wake_[1], &c, 1);
    }
    if (thread_.joinable())
        thread_.join();
    for (int* fd : {&master_, &slave_, &wake_[0], &wake_[1]}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

void PagerSimulator::withModel(const std::function<void(PagerModel&)>& fn) {
    std::lock_guard lock(mutex_);
    fn(model_);
}

void PagerSimulator::addFault(const FaultRule& rule) {
    std::lock_guard lock(mutex_);
    options_.faults.push_back(rule);
}

std::vector<std::uint8_t> PagerSimulator::commandLog() const {
    std::lock_guard lock(mutex_);
    return commands_;
}

Clock::time_point PagerSimulator::lastReplyWritten() const {
    std::lock_guard lock(mutex_);
    return lastReply_;
}

Clock::time_point PagerSimulator::hungUpAt() const {
    std::lock_guard lock(mutex_);
    return hungUp_;
}

void PagerSimulator::setLogSink(std::function<void(const std::string&)> sink) {
    std::lock_guard lock(mutex_);
    logSink_ = std::move(sink);
}

void PagerSimulator::log(const std::string& line) {
    if (!options_.log)
        return;
    if (logSink_)
        logSink_(line);
    else
        std::cerr << line << std::endl;
}

void PagerSimulator::run() {
    while (running_.load()) {
        int timeout = 50;
        {
            std::lock_guard lock(mutex_);
            if (!pending_.empty()) {
                const auto next = std::min_element(pending_.begin(), pending_.end(),
                                                   [](const Pending& a, const Pending& b) {
                                                       return a.due < b.due;
                                                   })
                                      ->due;
                const auto ms =
                    std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now())
                        .count();
                timeout = static_cast<int>(std::clamp<long long>(ms, 0, 50));
            }
        }
        pollfd fds[2] = {{master_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        const int r = ::poll(fds, 2, timeout);
        if (r < 0 && errno != EINTR)
            break;
        if (fds[1].revents != 0)
            break;
        if (fds[0].revents & POLLIN)
            takeBytes();
        sendDue();
        releaseLeftExclusiveUse();
    }
}

void PagerSimulator::releaseLeftExclusiveUse() {
    // A program takes the lock before it marks the line for exclusive use and clears the
    // mark before it lets go of the lock; a mark with no lock held is therefore left by
    // a program that ended without closing (killed). A cradle's line is free again
    // when its last user goes; this one stays open here, so the mark is cleared here.
    int exclusive = 0;
    if (::ioctl(slave_, TIOCGEXCL, &exclusive) != 0 || exclusive == 0)
        return;
    if (::flock(slave_, LOCK_EX | LOCK_NB) != 0)
        return; // still in use
    // A program that closed normally clears its mark and then unlocks: between the two
    // looks the mark may have gone with its program, and then nothing was left behind.
    if (::ioctl(slave_, TIOCGEXCL, &exclusive) != 0 || exclusive == 0) {
        ::flock(slave_, LOCK_UN);
        return;
    }
    ::ioctl(slave_, TIOCNXCL);
    ::flock(slave_, LOCK_UN);
    log("sim: exclusive use left by a program that is gone; cleared");
    noteChange();
}

void PagerSimulator::takeBytes() {
    std::uint8_t buf[1024];
    for (;;) {
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0)
            break;
        const auto now = Clock::now();
        if (rx_.empty())
            rxSince_ = now;
        rx_.insert(rx_.end(), buf, buf + n);
        if (options_.pace) {
            // The pseudo-terminal hands over at once what a UART would still be
            // receiving; the pager can answer only after the last byte is in.
            const auto lineTime = std::chrono::duration<double, std::milli>(
                static_cast<double>(n) / options_.pace->bytesPerMs());
            inboundDone_ =
                std::max(inboundDone_, now) + std::chrono::duration_cast<Clock::duration>(lineTime);
        }
    }
    std::lock_guard lock(mutex_);
    if (!rx_.empty() && !options_.anyLineSettings && !programSideReady()) {
        // A pager on a wrongly set line sees garbage or nothing; answering would hide
        // the program's fault.
        ++refusedForLine_;
        rx_.clear();
        noteChange();
        return;
    }
    for (;;) {
        // Hunt for STX; bytes before it are line noise.
        const auto stx = std::find(rx_.begin(), rx_.end(), std::uint8_t{0x02});
        if (stx != rx_.begin()) {
            if (stx != rx_.end() || !rx_.empty())
                log("sim: ignored " + std::to_string(std::distance(rx_.begin(), stx)) +
                    " byte(s) outside a frame");
            rx_.erase(rx_.begin(), stx);
            rxSince_ = Clock::now();
        }
        if (rx_.empty())
            return;
        const FrameScan scan = scanCommandFrame(rx_);
        if (scan.result == ScanResult::Incomplete) {
            if (Clock::now() - rxSince_ > std::chrono::milliseconds(options_.incompleteFrameMs)) {
                log("sim: gave up a partial frame: " + bytesToHexText(rx_));
                ++invalidFrames_;
                rx_.erase(rx_.begin());
                continue;
            }
            return;
        }
        if (scan.result == ScanResult::Invalid) {
            ++invalidFrames_;
            log("sim: invalid frame (" + scan.problem + "): " +
                bytesToHexText(std::span<const std::uint8_t>(
                    rx_.data(), std::min<std::size_t>(rx_.size(), 16))));
            rx_.erase(rx_.begin(),
                      rx_.begin() + static_cast<long>(std::max<std::size_t>(1, scan.length)));
            rxSince_ = Clock::now();
            continue;
        }
        const std::vector<std::uint8_t> raw(rx_.begin(),
                                            rx_.begin() + static_cast<long>(scan.length));
        rx_.erase(rx_.begin(), rx_.begin() + static_cast<long>(scan.length));
        rxSince_ = Clock::now();
        log("sim: <- " + bytesToHexText(raw));
        handleFrame(scan.frame);
    }
}

std::optional<FaultKind> PagerSimulator::takeFault(const CommandFrame& frame) {
    const int address = frameAddress(frame);
    for (auto it = options_.faults.begin(); it != options_.faults.end(); ++it) {
        if (it->command && *it->command != frame.command)
            continue;
        if (it->address && *it->address != address)
            continue;
        const FaultKind kind = it->kind;
        if (it->times > 0 && --it->times == 0)
            options_.faults.erase(it);
        return kind;
    }
    return std::nullopt;
}

bool PagerSimulator::programSideReady() {
    termios tio{};
    std::string problem = ::tcgetattr(slave_, &tio) != 0
                              ? std::string("cannot read the line settings")
                              : pagerLineDifferences(tio);
    if (problem != lastLineProblem_ && !problem.empty()) {
        // Said even without --log: a test that fails here must say why.
        const std::string line = "sim: the program's side of the line is not set up for the "
                                 "pager (" +
                                 problem + "); answering nothing";
        if (logSink_)
            logSink_(line);
        else
            std::cerr << line << std::endl;
    }
    lastLineProblem_ = problem;
    return problem.empty();
}

void PagerSimulator::noteChange() {
    {
        std::lock_guard lock(changeMutex_);
        ++changes_;
    }
    changed_.notify_all();
}

bool PagerSimulator::waitUntil(const std::function<bool()>& done,
                               std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    std::unique_lock lock(changeMutex_);
    for (;;) {
        const std::uint64_t seen = changes_;
        // `done` may take the model's lock: never under this one.
        lock.unlock();
        if (done())
            return true;
        lock.lock();
        if (!changed_.wait_until(lock, deadline, [&] { return changes_ != seen; })) {
            lock.unlock();
            return done();
        }
    }
}

void PagerSimulator::hangUp() {
    log("sim: hanging up");
    hungUp_ = Clock::now();
    running_.store(false);
    noteChange();
    // Closing both ends takes the device away, as pulling the cradle does.
    ::close(master_);
    master_ = -1;
    ::close(slave_);
    slave_ = -1;
}

void PagerSimulator::handleFrame(const CommandFrame& frame) {
    ++framesReceived_;
    commands_.push_back(frame.command);
    noteChange();
    if (options_.hangUpAfter >= 0 &&
        framesReceived_.load() > static_cast<std::size_t>(options_.hangUpAfter)) {
        hangUp();
        return;
    }
    if (options_.silent)
        return;
    const auto fault = takeFault(frame);
    PagerResponse response =
        fault == FaultKind::Refuse ? PagerResponse{nakReply(), 0} : model_.handle(frame);
    bool split = false;
    int extraDelayMs = options_.replyDelayMs;
    if (fault) {
        switch (*fault) {
        case FaultKind::Drop:
            log("sim: fault: reply dropped");
            return;
        case FaultKind::Nak:
            log("sim: fault: NAK instead of the reply");
            response.bytes = nakReply();
            break;
        case FaultKind::BadChecksum:
            log("sim: fault: wrong checksum");
            if (response.bytes.size() >= 2)
                response.bytes[response.bytes.size() - 2] ^= 0x01;
            break;
        case FaultKind::Split:
            log("sim: fault: reply split in two");
            split = true;
            break;
        case FaultKind::Late:
            log("sim: fault: reply late");
            extraDelayMs += options_.lateMs;
            break;
        case FaultKind::Duplicate:
            log("sim: fault: reply sent twice");
            break;
        case FaultKind::Refuse:
            log("sim: fault: command refused");
            break;
        }
    }
    if (response.bytes.empty())
        return;
    const auto from = options_.pace ? std::max(Clock::now(), inboundDone_) : Clock::now();
    const auto due = from + std::chrono::milliseconds(response.delayMs + extraDelayMs);
    if (fault == FaultKind::Duplicate)
        pending_.push_back(
            {due + std::chrono::milliseconds(options_.duplicateGapMs), response.bytes, false});
    pending_.push_back({due, std::move(response.bytes), split});
}

void PagerSimulator::sendDue() {
    std::vector<Pending> due;
    {
        std::lock_guard lock(mutex_);
        const auto now = Clock::now();
        for (auto it = pending_.begin(); it != pending_.end();) {
            if (it->due <= now) {
                due.push_back(std::move(*it));
                it = pending_.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (const auto& p : due) {
        if (master_ < 0)
            return;
        if (p.split && p.bytes.size() > 1) {
            const std::size_t half = p.bytes.size() / 2;
            writeReply(p.bytes.data(), half);
            std::this_thread::sleep_for(std::chrono::milliseconds(options_.splitGapMs));
            writeReply(p.bytes.data() + half, p.bytes.size() - half);
        } else {
            writeReply(p.bytes.data(), p.bytes.size());
        }
        std::lock_guard lock(mutex_);
        lastReply_ = Clock::now();
        log("sim: -> " + bytesToHexText(p.bytes));
    }
}

void PagerSimulator::writeReply(const std::uint8_t* bytes, std::size_t count) {
    if (options_.pace)
        writePaced(bytes, count);
    else
        writeAll(bytes, count);
}

void PagerSimulator::writePaced(const std::uint8_t* bytes, std::size_t count) {
    // Each millisecond the bridge passes on what the UART has received since its last
    // piece, up to a piece's size; a late wake passes on more at once, as a busy host
    // that polls the bridge late receives more.
    const double rate = options_.pace->bytesPerMs();
    const auto pieceMax = static_cast<std::size_t>(std::max(1, options_.pace->pieceBytes));
    const auto start = Clock::now();
    std::size_t sent = 0;
    for (int tick = 1; sent < count && master_ >= 0 && running_.load(); ++tick) {
        std::this_thread::sleep_until(start + std::chrono::milliseconds(tick));
        const auto arrived =
            std::min(count, static_cast<std::size_t>(std::floor(static_cast<double>(tick) * rate)));
        const std::size_t piece = std::min(arrived - std::min(arrived, sent), pieceMax);
        if (piece == 0)
            continue;
        writeAll(bytes + sent, piece);
        sent += piece;
    }
}

void PagerSimulator::writeAll(const std::uint8_t* bytes, std::size_t count) {
    std::size_t done = 0;
    while (done < count && master_ >= 0) {
        const ssize_t n = ::write(master_, bytes + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{master_, POLLOUT, 0};
            ::poll(&p, 1, 100);
        } else {
            return;
        }
    }
}

} // namespace quorl::sim
