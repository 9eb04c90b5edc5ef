#pragma once

#include "link/fleet_operation.h"

#include <atomic>
#include <csignal>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quorl::cli {

// The programming log of a fleet run: each pager's row is appended the moment that
// pager is done, with its own times. While the run goes on, Ctrl-C (or a hang-up or
// termination) appends an "interrupted" row for every pager still running, with what
// is known of it, and then ends the program; the rows already written stay.
class FleetLog {
public:
    // An empty `path` logs nothing and leaves the signals alone.
    FleetLog(std::string path, std::string operation, std::string sourceFile,
             const std::vector<std::string>& ports);
    ~FleetLog();
    FleetLog(const FleetLog&) = delete;
    FleetLog& operator=(const FleetLog&) = delete;

    void identified(std::size_t cradle, const PagerIdentity& identity);
    void finished(std::size_t cradle, const FleetResult& result);
    // Every row went to the file.
    bool allAppended() const { return !failed_.load(); }
    // When one did not: the file and the cause.
    std::string problem();

private:
    void append(FleetResult result);
    void watchSignals();

    std::string path_, operation_, sourceFile_, started_;
    std::mutex mutex_;
    std::vector<FleetResult> pending_;
    std::vector<bool> done_;
    std::string problem_;
    std::atomic<bool> failed_{false};
    std::atomic<bool> stop_{false};
    std::thread watcher_;
    struct sigaction saved_[3]{};
};

} // namespace quorl::cli
