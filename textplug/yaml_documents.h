#pragma once

#include "textplug/text_reader.h"

#include <optional>
#include <string_view>

namespace quorl::textplug {

// Whether `text` holds exactly one YAML document, checked by a pass over the
// parser's events before any tree is built. A second document is an error (a
// codeplug text holds one codeplug). The pass also stops where the parser stops
// making progress: the YAML library keeps reporting empty documents at a stray
// ',' outside brackets and would never finish.
std::optional<TextProblem> documentProblem(std::string_view text);

} // namespace quorl::textplug
