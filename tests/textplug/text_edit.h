#pragma once

#include <string>
#include <vector>

namespace quorl::test {

// Where a value stands in a text: its line and the column its value starts at.
struct ValuePlace {
    int line = 0;
    int column = 0;
};

// Replaces the value at `path` ({"channels", "F2", "Call 1", "Tone 1"}) of an
// exported codeplug text with `value` (written as is, so "[1, 2]" makes a list) and
// returns where it now stands. Fails the test when the path is not in the text.
ValuePlace setValue(std::string& text, const std::vector<std::string>& path,
                    const std::string& value);

// Removes the line of `path`; returns where it stood.
ValuePlace removeValue(std::string& text, const std::vector<std::string>& path);

} // namespace quorl::test
