#pragma once

#include "codeplug/codeplug_state.h"

#include <array>
#include <functional>
#include <thread>

namespace quorl {

// Pager operation codes shared with the worker.
enum class PagerOperation : int { ReadCodeplug = 1, WriteCodeplug = 2, WriteCustomAudio = 3 };

// Starts Read Codeplug, Write Codeplug and Write Custom Audio on their own worker
// thread: one at a time, guarded by the document's `busy` flag. The operation
// itself clears `busy` when it ends; the runner then reports the end.
class PagerOperationRunner {
public:
    using Body = std::function<void(PagerOperation)>;

    explicit PagerOperationRunner(CodeplugState& state) : state_(state) {}
    ~PagerOperationRunner();
    PagerOperationRunner(const PagerOperationRunner&) = delete;
    PagerOperationRunner& operator=(const PagerOperationRunner&) = delete;

    // The pager link installs each operation's body when it is available.
    void setBody(PagerOperation op, Body body);
    bool hasBody(PagerOperation op) const;

    // Does nothing while busy or while the operation has no body. Otherwise sets
    // busy, runs `beforeStart` on the calling thread (timer 0 stops, the title is
    // reset) and starts the worker. `finished` runs on the worker after the body.
    bool start(PagerOperation op, const std::function<void()>& beforeStart,
               std::function<void()> finished);

    // Waits for a running worker (at exit).
    void join();

private:
    CodeplugState& state_;
    std::array<Body, 4> bodies_;
    std::thread worker_;
};

} // namespace quorl
