#pragma once

#include <string_view>

namespace quorl {

// Where the editor logic sends its warnings: a modal box with an OK button and a
// warning icon in the program, a recorder in tests. The call returns once the user
// has acknowledged it.
class EditorMessages {
public:
    virtual ~EditorMessages() = default;
    virtual void warning(std::string_view text, std::string_view caption) = 0;
};

} // namespace quorl
