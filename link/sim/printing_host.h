#pragma once

#include "link/unattended_host.h"

#include <cstdio>
#include <string_view>

namespace quorl::sim {

// The host of the simulator's measuring programs: nobody answers questions, so every
// question is declined and every message goes to standard error.
class PrintingHost : public UnattendedHost {
public:
    void showMessage(std::string_view text, MessageIcon) override {
        std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
    }
};

} // namespace quorl::sim
