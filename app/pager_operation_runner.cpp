#include "app/pager_operation_runner.h"

#include <exception>
#include <iostream>

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
    BusyClaim claim(state_.busy);
    if (!claim)
        return false;
    if (beforeStart)
        beforeStart();
    // The previous worker has ended (busy was clear); collect it before reuse.
    if (worker_.joinable())
        worker_.join();
    Body body = bodies_[static_cast<std::size_t>(op)];
    worker_ = std::thread([op, claim = std::move(claim), body = std::move(body),
                           finished = std::move(finished)]() mutable {
        try {
            body(op);
        } catch (const std::exception& e) {
            // Nothing above the worker could take it up; the commands must come back.
            std::cerr << "tessaly-vi-quorl: the pager operation stopped: " << e.what() << '\n';
        }
        claim.release();
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
