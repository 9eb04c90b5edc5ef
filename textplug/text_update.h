#pragma once

#include "textplug/text_fields.h"
#include "textplug/text_reader.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorl::textplug {

struct UpdateResult {
    std::optional<std::string> text; // the updated text; none when it could not be
    std::vector<TextProblem> errors;
};

// Brings an existing codeplug text up to `fields` (from codeplugFields) while keeping
// what a person wrote around the values: comments, blank lines, order, quoting
// and line ends. A value that differs is rewritten where it stands; a value the
// codeplug now shows and the text lacks is added after its neighbour; a value it
// no longer shows is removed with its line. A text that does not read cleanly is
// not updated.
UpdateResult updateText(std::string_view existing, const std::vector<TextField>& fields);

} // namespace quorl::textplug
