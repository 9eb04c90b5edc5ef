#pragma once

#include "link/operation_host.h"

#include <cstdio>
#include <string_view>

namespace quorl::sim {

// The host of the simulator's measuring programs: nobody answers questions, so every
// question is declined and every message goes to standard error.
class PrintingHost : public OperationHost {
public:
    void showMessage(std::string_view text, MessageIcon) override {
        std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
    }
    Answer askYesNoCancel(std::string_view) override { return Answer::Cancel; }
    bool askYesNo(std::string_view) override { return false; }
    void openProgress(std::string_view) override {}
    void updateProgress(int, std::string_view) override {}
    void closeProgress() override {}
    bool runSave() override { return false; }
    bool runSaveAs() override { return false; }
    void openUserData() override {}
    void repaintView() override {}
};

} // namespace quorl::sim
