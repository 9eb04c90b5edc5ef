#include "link/tracing_host.h"

#include "link/link_trace.h"

namespace quorl {

void TracingHost::step(std::string_view text) {
    if (trace_ != nullptr)
        trace_->step(port_, text);
}

void TracingHost::message(std::string_view text) {
    if (trace_ != nullptr)
        trace_->message(port_, text);
}

void TracingHost::showMessage(std::string_view text, MessageIcon icon) {
    message(text);
    ForwardingHost::showMessage(text, icon);
}

void TracingHost::postMessage(std::string_view text, MessageIcon icon) {
    message(text);
    ForwardingHost::postMessage(text, icon);
}

void TracingHost::openProgress(std::string_view text) {
    step(text);
    ForwardingHost::openProgress(text);
}

void TracingHost::updateProgress(int percent, std::string_view text) {
    step(text);
    ForwardingHost::updateProgress(percent, text);
}

} // namespace quorl
