#pragma once

#include "codeplug/codeplug_image.h"
#include "textplug/text_reader.h"

#include <optional>
#include <string_view>
#include <vector>

namespace quorl::textplug {

struct ImportOptions {
    // A value missing from the text keeps the base's value instead of being an
    // error. Missing sections stay errors.
    bool partial = false;
};

struct ImportResult {
    std::vector<TextProblem> errors; // values the editors refuse, and bad text
    std::vector<TextProblem> notes;  // values the editors adjusted, identity kept
    // The image as Save As would write it; only when there is no error.
    std::optional<CodeplugImage> image;
};

// Applies a codeplug text to `base` the way a person would in the User Data
// window: every value that differs from what the editors show is entered into its
// box or chosen in its list, and the editors' own rules accept, adjust or refuse
// it. The identity always stays the base's.
ImportResult importCodeplugText(std::string_view text, const CodeplugImage& base,
                                ImportOptions options = {});

// Whether every error of `result` is a value, map or section the text leaves out:
// the text reads as a patch, which --partial would apply.
bool refusedOnlyForMissingValues(const ImportResult& result);

} // namespace quorl::textplug
