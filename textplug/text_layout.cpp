#include "textplug/text_layout.h"

#include "textplug/textplug_texts.h"

namespace quorl::textplug {

namespace {

constexpr int kMaxFlowDepth = 32;
constexpr int kMaxIndent = 64;

bool isBlankOrComment(std::string_view line) {
    const auto first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == '#';
}

// Whether the line is a document start marker with at most a comment after it.
bool isDocumentStart(std::string_view line) {
    if (!line.starts_with("---"))
        return false;
    const auto rest = line.substr(3);
    const auto next = rest.find_first_not_of(" \t");
    return next == std::string_view::npos || (rest[next] == '#' && next > 0);
}

} // namespace

std::string readableText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    // The last line that is not blank or a comment.
    std::size_t end = out.size();
    while (end > 0) {
        const std::size_t start = out.rfind('\n', end - 1);
        const std::size_t from = start == std::string::npos ? 0 : start + 1;
        const std::string_view line(out.data() + from, end - from);
        if (isBlankOrComment(line)) {
            if (from == 0)
                break;
            end = from - 1;
            continue;
        }
        // Only a marker that follows a document: a text of nothing but "---"
        // stays as it is.
        if (isDocumentStart(line) && from > 0)
            out.replace(from, 3, "   ");
        break;
    }
    return out;
}

std::optional<TextProblem> layoutProblem(std::string_view text) {
    int lineNumber = 1, depth = 0;
    char quote = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t stop = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, stop - start);
        const auto mark = [&](std::size_t index) {
            return TextMark{lineNumber, static_cast<int>(index) + 1};
        };
        if (!quote && !isBlankOrComment(line)) {
            const std::size_t indent = line.find_first_not_of(" \t");
            if (const auto tab = line.substr(0, indent).find('\t'); tab != std::string_view::npos)
                return TextProblem{mark(tab), {}, std::string(msg::kTabIndent)};
            if (indent > static_cast<std::size_t>(kMaxIndent))
                return TextProblem{
                    mark(static_cast<std::size_t>(kMaxIndent)), {}, std::string(msg::kTooDeep)};
        }
        // Brackets inside quotes and comments do not count.
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (quote) {
                if (c == quote && !(quote == '"' && i > 0 && line[i - 1] == '\\'))
                    quote = 0;
                continue;
            }
            // A quote opens a scalar only where one may start ("Bob's" is plain).
            if ((c == '"' || c == '\'') &&
                (i == 0 ||
                 std::string_view(" \t[{,:-").find(line[i - 1]) != std::string_view::npos)) {
                quote = c;
            } else if (c == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
                break;
            } else if (c == '[' || c == '{') {
                if (++depth > kMaxFlowDepth)
                    return TextProblem{mark(i), {}, std::string(msg::kTooDeep)};
            } else if ((c == ']' || c == '}') && depth > 0) {
                --depth;
            }
        }
        ++lineNumber;
        start = stop + 1;
    }
    return std::nullopt;
}

CharacterColumns::CharacterColumns(std::string_view text) : text_(text) {
    lineStarts_.push_back(0);
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n')
            lineStarts_.push_back(i + 1);
}

TextMark CharacterColumns::operator()(TextMark byteMark) const {
    if (byteMark.line < 1 || static_cast<std::size_t>(byteMark.line) > lineStarts_.size())
        return byteMark;
    const std::size_t start = lineStarts_[static_cast<std::size_t>(byteMark.line - 1)];
    const std::size_t end =
        std::min(start + static_cast<std::size_t>(byteMark.column - 1), text_.size());
    int column = 1;
    for (std::size_t i = start; i < end; ++i)
        if ((static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80) // not a continuation byte
            ++column;
    return {byteMark.line, column};
}

} // namespace quorl::textplug
