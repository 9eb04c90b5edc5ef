#pragma once

#include "codeplug/codeplug_image.h"
#include "textplug/text_fields.h"
#include "textplug/text_reader.h"

#include <optional>
#include <string>
#include <vector>

namespace quorl::textplug {

// One value that differs between two codeplugs, in the editors' words. A side
// that does not show the value (a call address its coding option does not use, a
// channel a single-channel pager lacks) has no text.
struct FieldDifference {
    std::string field;
    bool identity = false;
    std::optional<std::string> a, b;
};

// The differing values, in the order of `a`, then those only `b` shows.
std::vector<FieldDifference> diffFields(const std::vector<TextField>& a,
                                        const std::vector<TextField>& b);

// The values of a text as written, in the order written.
std::vector<TextField> textFields(const ParsedText& text);

// "F2 Call 1 Tone 1: 330.5 → 349.0"; identity values are marked as such.
std::string formatDifference(const FieldDifference& d);

} // namespace quorl::textplug
