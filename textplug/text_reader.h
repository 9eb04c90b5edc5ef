#pragma once

#include "textplug/text_fields.h"

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quorl::textplug {

// A place in the text, counted from 1 as editors count lines and columns.
struct TextMark {
    int line = 1;
    int column = 1;
};

// An error or a note about the text: where, which value (may be empty) and what.
struct TextProblem {
    TextMark mark;
    std::string field;
    std::string message;
};

// "FILE.yaml:LINE:COLUMN: FIELD: message" (the field part only when there is one).
std::string formatProblem(std::string_view fileName, const TextProblem& p);

struct TextValue {
    std::vector<std::string> path;
    std::string value;
    TextMark mark;
};

// A codeplug text read and checked against the keys the text may hold. Values are
// kept as written; the editors judge them when they are applied.
struct ParsedText {
    std::map<std::string, TextValue> values;    // by pathKey()
    std::vector<std::string> order;             // pathKey() of each value as written
    std::map<std::string, TextMark> containers; // sections and maps, by pathKey()
    std::vector<TextProblem> errors;
    std::set<std::string> refused;   // keys given with a value of the wrong kind
    std::optional<TextValue> format; // the format key, when the text has one
};

// The key naming the format of the text, above the sections.
inline constexpr const char* kFormatKey = "format";
// The YAML merge key: "<<: *F1" takes the entries of the map anchored as F1.
inline constexpr const char* kMergeKey = "<<";

std::string pathKey(const std::vector<std::string>& path);

// A codeplug text is a few kilobytes; anything much larger is refused before it is
// parsed.
inline constexpr std::size_t kMaxTextBytes = 1024 * 1024;

ParsedText readCodeplugText(std::string_view text);

} // namespace quorl::textplug
