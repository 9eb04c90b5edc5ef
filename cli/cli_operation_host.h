#pragma once

#include "link/unattended_host.h"

#include <iosfwd>
#include <string>

namespace quorl::cli {

// The pager operations' host in a terminal: messages and progress on standard
// error (a bar on a terminal, one line per step otherwise). It asks nothing: the
// tool never has an image in memory to protect, and several cradles without
// --port are an error that lists them.
class CliOperationHost : public UnattendedHost {
public:
    CliOperationHost(std::ostream& err, bool terminal) : err_(err), terminal_(terminal) {}

    void showMessage(std::string_view text, MessageIcon icon) override;
    void openProgress(std::string_view text) override;
    void updateProgress(int percent, std::string_view text) override;
    void closeProgress() override;
    void runConnectedDevicesDialog() override;

    // The port could not be opened ("Unable to connect to device.").
    bool connectFailed() const { return connectFailed_; }
    std::ostream& errors() { return err_; }
    // The first message shown, for the operation's record.
    const std::string& firstMessage() const { return firstMessage_; }

private:
    void bar(int percent, std::string_view text);
    std::ostream& err_;
    bool terminal_;
    bool barShown_ = false;
    bool connectFailed_ = false;
    std::string firstMessage_;
};

} // namespace quorl::cli
