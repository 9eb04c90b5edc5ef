#pragma once

#include "link/operation_host.h"

#include <string>

namespace quorl {

class LinkTrace;

// Passes everything on to the operation's own host and writes the operation's steps
// (progress texts) and messages into the link trace as they happen.
class TracingHost : public OperationHost {
public:
    TracingHost(OperationHost& inner, LinkTrace* trace, std::string port)
        : inner_(inner), trace_(trace), port_(std::move(port)) {}

    void showMessage(std::string_view text, MessageIcon icon) override;
    void postMessage(std::string_view text, MessageIcon icon) override;
    Answer askYesNoCancel(std::string_view question) override;
    bool askYesNo(std::string_view question) override;
    void openProgress(std::string_view text) override;
    void updateProgress(int percent, std::string_view text) override;
    void closeProgress() override { inner_.closeProgress(); }
    bool runSave() override { return inner_.runSave(); }
    bool runSaveAs() override { return inner_.runSaveAs(); }
    void openUserData() override { inner_.openUserData(); }
    void repaintView() override { inner_.repaintView(); }
    void runConnectedDevicesDialog() override { inner_.runConnectedDevicesDialog(); }

private:
    void step(std::string_view text);
    void message(std::string_view text);

    OperationHost& inner_;
    LinkTrace* trace_;
    std::string port_;
};

} // namespace quorl
