#pragma once

#include "textplug/text_reader.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorl::textplug {

// The text as the YAML reader is given it: CR LF and lone CR line ends become LF
// (files saved on other systems), and a trailing "---" with nothing after it is
// blanked (some editors and tools end every file with one). Lines and columns
// stay where they were.
std::string readableText(std::string_view text);

// Layout the YAML reader would answer badly, found before it runs: a tab in the
// indentation of a line that holds a value, and nesting far deeper than a
// codeplug text. Blank lines and comments are never too deep. Columns are bytes.
std::optional<TextProblem> layoutProblem(std::string_view text);

// Turns the byte columns of the YAML reader into the characters an editor counts
// (UTF-8), line by line.
class CharacterColumns {
public:
    explicit CharacterColumns(std::string_view text);
    TextMark operator()(TextMark byteMark) const;

private:
    std::string_view text_;
    std::vector<std::size_t> lineStarts_;
};

} // namespace quorl::textplug
