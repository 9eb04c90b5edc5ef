#pragma once

#include "editors/editor_messages.h"

#include <string>
#include <utility>
#include <vector>

namespace quorl::test {

// Keeps every warning with its caption.
class RecordingMessages : public EditorMessages {
public:
    std::vector<std::pair<std::string, std::string>> shown;
    void warning(std::string_view text, std::string_view caption) override {
        shown.emplace_back(text, caption);
    }
};

} // namespace quorl::test
