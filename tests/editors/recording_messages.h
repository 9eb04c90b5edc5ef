#pragma once

#include "editors/editor_messages.h"

#include <string>
#include <utility>
#include <vector>

namespace quorl::test {

// Keeps every warning the editor logic shows, in order.
class RecordingMessages : public EditorMessages {
public:
    struct Shown {
        std::string text;
        std::string caption;
    };
    void warning(std::string_view text, std::string_view caption) override {
        shown.push_back({std::string(text), std::string(caption)});
    }
    // Returns the warnings so far and forgets them.
    std::vector<Shown> take() { return std::exchange(shown, {}); }
    std::vector<Shown> shown;
};

} // namespace quorl::test
