#pragma once

#include "codeplug/codeplug_state.h"

#include <array>
#include <functional>
#include <thread>

namespace quorl {

// Pager operation codes shared with the worker.
enum class PagerOperation : int { ReadCodeplug = 1, WriteCodeplug = 2, WriteCustomAudio = 3 };

// Starts Read Codeplug, Write Codeplug and Write Custom Audio on their own worker
// thread, one at a time. The runner owns the document's `busy` flag for them: it
// claims it before the worker starts and lets it go when the body has returned (or
// thrown), then reports the end.
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
    // busy, runs `beforeStart` on the calling thread (timer 0 stops, the clock
    // starts) and starts the worker. `finished` runs on the worker once the body has
    // ended and busy is clear again.
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
