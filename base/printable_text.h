#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorl {

// Length of the well-formed UTF-8 sequence at `at`, or 0 when the byte there does
// not start one (a stray continuation byte, an overlong or cut-off sequence).
std::size_t utf8SequenceLength(std::string_view text, std::size_t at);

// Whether the well-formed sequence of `length` bytes at `at` is a character other
// than C0 and DEL that printable text never passes as it is: a C1 control, or a mark
// or override that turns the direction of the text after it.
bool isHiddenControl(std::string_view text, std::size_t at, std::size_t length);

// Text from a file, a command line or a pager as it may safely reach a terminal, a
// trace or a log: the one place that decides how such text is shown. control
// characters (C0, DEL and C1) and bytes that are not UTF-8 are shown as \xNN (\n, \t
// and \r by their names, a backslash doubled), so a serial number or a file name
// cannot move the cursor, retitle the window or send keys. Other UTF-8 text stays.
std::string printableText(std::string_view text);

// The indented line under a message's first line: "  pager.ppg: no such file", shown
// safely. The second form takes a problem text that already names its file.
std::string fileProblemLine(const std::string& path, const std::string& problem);
std::string problemLine(const std::string& problem);

} // namespace quorl
