#pragma once

#include "link/operation_host.h"

namespace quorl {

// A host with nobody in front of it (a fleet's cradle, a measuring program, a test):
// no progress window opens. What becomes of a message is the one thing each such
// host decides.
class UnattendedHost : public OperationHost {
public:
    void openProgress(std::string_view) override {}
    void updateProgress(int, std::string_view) override {}
    void closeProgress() override {}
    void repaintView() override {}
};

} // namespace quorl
