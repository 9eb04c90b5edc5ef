#include "cli/fleet_log.h"

#include "base/temporary_files.h"
#include "inventory/operation_record.h"
#include "link/fleet_write.h"
#include "link/programming_log.h"

#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <poll.h>
#include <unistd.h>

namespace quorl::cli {

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The handler only hands the signal to the watcher: whichever thread the signal
// lands on, writing to a pipe is all a handler may safely do.
int signalPipe[2] = {-1, -1};

void passOn(int signal) {
    const auto b = static_cast<unsigned char>(signal);
    [[maybe_unused]] const auto n = ::write(signalPipe[1], &b, 1);
}

} // namespace

FleetLog::FleetLog(std::string path, std::string operation, std::string sourceFile,
                   const std::vector<std::string>& ports)
    : path_(std::move(path)), operation_(std::move(operation)), sourceFile_(std::move(sourceFile)),
      started_(isoTimeNow()), pending_(ports.size()), done_(ports.size(), false) {
    for (std::size_t i = 0; i < ports.size(); ++i)
        pending_[i].port = ports[i];
    if (path_.empty() || ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = passOn;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
        ::sigaction(kEndingSignals[i], &action, &saved_[i]);
    watcher_ = std::thread([this] { watchSignals(); });
}

FleetLog::~FleetLog() {
    if (!watcher_.joinable())
        return;
    stop_ = true;
    watcher_.join();
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
        ::sigaction(kEndingSignals[i], &saved_[i], nullptr);
    for (int& fd : signalPipe) {
        ::close(fd);
        fd = -1;
    }
}

void FleetLog::watchSignals() {
    while (!stop_.load()) {
        pollfd p{signalPipe[0], POLLIN, 0};
        unsigned char signal = 0;
        if (::poll(&p, 1, 100) <= 0 || ::read(signalPipe[0], &signal, 1) != 1)
            continue;
        std::vector<FleetResult> running;
        {
            std::lock_guard lock(mutex_);
            for (std::size_t i = 0; i < done_.size(); ++i)
                if (!done_[i]) {
                    done_[i] = true;
                    running.push_back(pending_[i]);
                }
        }
        for (auto& r : running) {
            r.started = started_;
            r.ended = isoTimeNow();
            r.outcome = OperationOutcome::Failed;
            r.message = "interrupted";
            append(std::move(r));
        }
        removeTemporariesNow();
        // As a shell reports a program a signal ended.
        ::_exit(128 + signal);
    }
}

void FleetLog::identified(std::size_t cradle, const PagerIdentity& identity) {
    std::lock_guard lock(mutex_);
    pending_.at(cradle).identity = identity;
}

void FleetLog::finished(std::size_t cradle, const FleetResult& result) {
    {
        std::lock_guard lock(mutex_);
        if (done_.at(cradle))
            return; // already logged as interrupted
        done_[cradle] = true;
    }
    append(result);
}

void FleetLog::append(FleetResult result) {
    // Every pager's operation goes to the inventory, with or without a CSV log.
    inventory::recordOperations(inventory::fleetRecords(result, operation_));
    if (path_.empty())
        return;
    if (result.fileName.empty())
        result.fileName = sourceFile_;
    std::string problem;
    if (appendProgrammingLog(path_, {programmingLogRow(result, operation_)}, &problem))
        return;
    std::lock_guard lock(mutex_);
    if (!failed_.exchange(true))
        problem_ = problem;
}

std::string FleetLog::problem() {
    std::lock_guard lock(mutex_);
    return problem_;
}

} // namespace quorl::cli
