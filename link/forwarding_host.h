#pragma once

#include "link/operation_host.h"

namespace quorl {

// Passes every call on to the operation's own host. The base of the hosts that
// watch an operation (its trace, its record) while the user's host answers: each
// overrides only the calls it watches and passes them on itself.
class ForwardingHost : public OperationHost {
public:
    explicit ForwardingHost(OperationHost& inner) : inner_(inner) {}

    void showMessage(std::string_view text, MessageIcon icon) override {
        inner_.showMessage(text, icon);
    }
    void postMessage(std::string_view text, MessageIcon icon) override {
        inner_.postMessage(text, icon);
    }
    void openProgress(std::string_view text) override { inner_.openProgress(text); }
    void updateProgress(int percent, std::string_view text) override {
        inner_.updateProgress(percent, text);
    }
    void closeProgress() override { inner_.closeProgress(); }
    void repaintView() override { inner_.repaintView(); }
    void runConnectedDevicesDialog() override { inner_.runConnectedDevicesDialog(); }

private:
    OperationHost& inner_;
};

} // namespace quorl
