#pragma once

#include "link/forwarding_host.h"

#include <string>

namespace quorl {

class LinkTrace;

// Passes everything on to the operation's own host and writes the operation's steps
// (progress texts) and messages into the link trace as they happen.
class TracingHost : public ForwardingHost {
public:
    TracingHost(OperationHost& inner, LinkTrace* trace, std::string port)
        : ForwardingHost(inner), trace_(trace), port_(std::move(port)) {}

    void showMessage(std::string_view text, MessageIcon icon) override;
    void postMessage(std::string_view text, MessageIcon icon) override;
    void openProgress(std::string_view text) override;
    void updateProgress(int percent, std::string_view text) override;

private:
    void step(std::string_view text);
    void message(std::string_view text);

    LinkTrace* trace_;
    std::string port_;
};

} // namespace quorl
