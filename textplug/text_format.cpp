#include "textplug/text_format.h"

#include "textplug/textplug_texts.h"

#include <charconv>

namespace quorl::textplug {

std::string formatValue() {
    return std::string(kFormatName) + '/' + std::to_string(kFormatVersion);
}

bool checkFormat(const ParsedText& text, std::vector<TextProblem>& errors,
                 std::vector<TextProblem>& notes) {
    if (!text.format) {
        notes.push_back({{}, kFormatKey, std::string(msg::kNoFormat)});
        return false;
    }
    const std::string& value = text.format->value;
    const std::string prefix = std::string(kFormatName) + '/';
    int version = 0;
    const char* end = value.data() + value.size();
    const bool named = value.starts_with(prefix);
    const auto [last, ec] = named
                                ? std::from_chars(value.data() + prefix.size(), end, version)
                                : std::from_chars_result{value.data(), std::errc::invalid_argument};
    if (ec != std::errc{} || last != end || version < 1) {
        errors.push_back({text.format->mark, kFormatKey,
                          '"' + value + "\": " + std::string(msg::kUnknownFormat)});
        return true;
    }
    // Version 1 is the first numbered one; older texts carry no key (above). An
    // upgrade from an older number to this one belongs here when there is one.
    if (version > kFormatVersion) {
        errors.push_back(
            {text.format->mark, kFormatKey, '"' + value + "\": " + std::string(msg::kNewerFormat)});
        return true;
    }
    return false;
}

} // namespace quorl::textplug
