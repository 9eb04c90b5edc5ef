#pragma once

#include "textplug/text_reader.h"

#include <string_view>
#include <vector>

namespace quorl::textplug {

// The format every export names in its first key. The number after the slash
// grows when a key is renamed or its values change meaning.
inline constexpr std::string_view kFormatName = "tessaly-vi-quorl";
inline constexpr int kFormatVersion = 1;
std::string formatValue(); // "tessaly-vi-quorl/1"

// Judges the format key of `text`: a missing key is the form texts had before the
// key was written, whose keys are those of version 1 (a note); a newer version or
// another name is an error. Returns whether it added an error.
bool checkFormat(const ParsedText& text, std::vector<TextProblem>& errors,
                 std::vector<TextProblem>& notes);

} // namespace quorl::textplug
