#pragma once

#include <string_view>

namespace quorl {

// Where an editor's warnings go: an exclamation box with a caption naming the
// field in the program, a recording in tests.
class EditorMessages {
public:
    virtual ~EditorMessages() = default;
    virtual void warning(std::string_view text, std::string_view caption) = 0;
};

} // namespace quorl
