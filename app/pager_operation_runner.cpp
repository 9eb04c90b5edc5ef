#include "app/pager_operation_runner.h"

namespace quorl {

PagerOperationRunner::~PagerOperationRunner() {
    join();
}

void PagerOperationRunner::setBody(PagerOperation op, Body body) {
    bodies_[static_cast<std::size_t>(op)] = std::move(body);
}

bool PagerOperationRunner::hasBody(PagerOperation op) const {
    return static_cast<bool>(bodies_[static_cast<std::size_t>(op)]);
}

bool PagerOperationRunner::start(PagerOperation op, const std::function<void()>& beforeStart,
                                 std::function<void()> finished) {
    if (!hasBody(op))
        return false;
    bool expected = false;
    if (!state_.busy.compare_exchange_strong(expected, true))
        return false;
    if (beforeStart)
        beforeStart();
    // The previous worker has ended (busy was clear); collect it before reuse.
    if (worker_.joinable())
        worker_.join();
    Body body = bodies_[static_cast<std::size_t>(op)];
    worker_ = std::thread([this, op, body = std::move(body), finished = std::move(finished)] {
        body(op);
        // The operation clears busy itself; make sure an escaped path cannot leave
        // every pager command locked out.
        state_.busy = false;
        if (finished)
            finished();
    });
    return true;
}

void PagerOperationRunner::join() {
    if (worker_.joinable())
        worker_.join();
}

} // namespace quorl
