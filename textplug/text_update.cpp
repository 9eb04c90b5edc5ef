#include "textplug/text_update.h"

#include "textplug/text_diff.h"
#include "textplug/textplug_texts.h"

#include <algorithm>
#include <map>
#include <set>
#include <yaml-cpp/yaml.h>

namespace quorl::textplug {

namespace {

// One line of the text and the line end it had ("\n", "\r\n", "\r" or none).
struct Line {
    std::string content;
    std::string end;
    bool removed = false;
    std::vector<std::string> after; // lines added below it, with the text's line end
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\n' && c != '\r') {
            lines.back().content += c;
            continue;
        }
        const bool crlf = c == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        lines.back().end = crlf ? "\r\n" : std::string(1, c);
        if (crlf)
            ++i;
        lines.emplace_back();
    }
    return lines;
}

// The byte at which character `column` (from 1) of `line` starts.
std::size_t byteOf(const std::string& line, int column) {
    std::size_t i = 0;
    for (int c = 1; c < column && i < line.size(); ++c) {
        ++i;
        while (i < line.size() && (static_cast<unsigned char>(line[i]) & 0xC0) == 0x80)
            ++i;
    }
    return i;
}

// Where the scalar starting at `from` ends: after its closing quote, or for a
// plain scalar before a comment, the line end, or (inside { } or [ ]) a ',' or
// closing bracket; trailing blanks are not part of it.
std::size_t scalarEnd(const std::string& line, std::size_t from, bool inFlow) {
    if (from < line.size() && (line[from] == '"' || line[from] == '\'')) {
        const char quote = line[from];
        for (std::size_t i = from + 1; i < line.size(); ++i) {
            if (quote == '"' && line[i] == '\\') {
                ++i;
            } else if (line[i] == quote) {
                if (quote == '\'' && i + 1 < line.size() && line[i + 1] == '\'') {
                    ++i;
                    continue;
                }
                return i + 1;
            }
        }
        return std::string::npos; // a quoted value over several lines
    }
    std::size_t end = from;
    while (end < line.size()) {
        if (line[end] == '#' && end > 0 && line[end - 1] == ' ')
            break;
        if (inFlow && (line[end] == ',' || line[end] == '}' || line[end] == ']'))
            break;
        ++end;
    }
    while (end > from && line[end - 1] == ' ')
        --end;
    return end;
}

bool inFlowAt(const std::string& line, std::size_t at) {
    int depth = 0;
    char quote = 0;
    for (std::size_t i = 0; i < at && i < line.size(); ++i) {
        const char c = line[i];
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if ((c == '}' || c == ']') && depth > 0) {
            --depth;
        }
    }
    return depth > 0;
}

// A value as export writes it.
std::string scalarText(const std::string& value) {
    if (value.empty())
        return "\"\"";
    YAML::Emitter out;
    out << value;
    return out.c_str();
}

std::string entryLine(const TextField& f, int indent) {
    std::string line = std::string(static_cast<std::size_t>(indent), ' ') + f.path.back() + ": " +
                       scalarText(f.value);
    if (!f.comment.empty())
        line += "  # " + f.comment;
    return line;
}

} // namespace

UpdateResult updateText(std::string_view existing, const std::vector<TextField>& fields) {
    UpdateResult result;
    const ParsedText parsed = readCodeplugText(existing);
    if (!parsed.errors.empty()) {
        result.errors = parsed.errors;
        return result;
    }
    std::vector<Line> lines = splitLines(existing);
    const std::string lineEnd = lines.front().end.empty() ? "\n" : lines.front().end;
    const auto lineOf = [&](TextMark mark) -> Line& {
        return lines[static_cast<std::size_t>(mark.line - 1)];
    };
    const auto cannot = [&](TextMark mark, const std::vector<std::string>& path) {
        result.errors.push_back({mark, fieldName(path), std::string(msg::kCannotUpdate)});
    };

    std::set<std::string> wanted;
    std::set<std::string> madeMaps; // maps the update adds, by pathKey()
    // Where the previous field of the codeplug stands, to add a missing one below it.
    std::optional<TextMark> previous;
    int previousIndent = 0;
    for (const TextField& f : fields) {
        const std::string key = pathKey(f.path);
        wanted.insert(key);
        const auto it = parsed.values.find(key);
        if (it != parsed.values.end()) {
            const TextValue& v = it->second;
            Line& line = lineOf(v.mark);
            // A key given with nothing after it stands at the key's own mark.
            const std::size_t at = byteOf(line.content, v.mark.column);
            const bool bare = v.value.empty() &&
                              line.content.compare(at, f.path.back().size(), f.path.back()) == 0;
            if (!bare && !sameValue(v.value, f.value)) {
                const std::size_t from = at;
                const std::size_t end = scalarEnd(line.content, from, inFlowAt(line.content, from));
                if (end == std::string::npos) {
                    cannot(v.mark, f.path);
                    continue;
                }
                line.content.replace(from, end - from, scalarText(f.value));
            } else if (bare && !f.value.empty()) {
                line.content.insert(at + f.path.back().size() + 1, " " + scalarText(f.value));
            }
            previous = v.mark;
            previousIndent = static_cast<int>(line.content.find_first_not_of(' '));
            continue;
        }
        // Added below the previous field, with the maps it needs, indented as the
        // export indents (two blanks a level).
        if (!previous || inFlowAt(lineOf(*previous).content, lineOf(*previous).content.size())) {
            cannot(previous.value_or(TextMark{}), f.path);
            continue;
        }
        Line& anchor = lineOf(*previous);
        for (std::size_t depth = 1; depth + 1 < f.path.size(); ++depth) {
            const std::vector<std::string> map(
                f.path.begin(), f.path.begin() + static_cast<std::ptrdiff_t>(depth + 1));
            if (parsed.containers.contains(pathKey(map)) || !madeMaps.insert(pathKey(map)).second)
                continue;
            anchor.after.push_back(std::string(2 * depth, ' ') + map.back() + ":");
        }
        const bool sibling = previousIndent == static_cast<int>(2 * (f.path.size() - 1));
        anchor.after.push_back(
            entryLine(f, sibling ? previousIndent : static_cast<int>(2 * (f.path.size() - 1))));
    }
    if (!result.errors.empty())
        return result;

    // Values the codeplug no longer shows go with their lines, and so do maps left
    // empty by that.
    std::map<std::string, int> remaining; // values left below each map
    for (const auto& [key, v] : parsed.values)
        if (wanted.contains(key))
            for (std::size_t n = 1; n < v.path.size(); ++n)
                ++remaining[pathKey(
                    {v.path.begin(), v.path.begin() + static_cast<std::ptrdiff_t>(n)})];
    for (const auto& [key, v] : parsed.values) {
        if (wanted.contains(key))
            continue;
        Line& line = lineOf(v.mark);
        if (inFlowAt(line.content, line.content.size()) ||
            line.content.find_first_not_of(' ') != line.content.find(v.path.back())) {
            cannot(v.mark, v.path);
            continue;
        }
        line.removed = true;
    }
    for (const auto& [key, mark] : parsed.containers)
        if (!remaining.contains(key) && mark.line > 0) {
            Line& line = lineOf(mark);
            if (line.content.find_first_not_of(' ') == byteOf(line.content, mark.column) &&
                !inFlowAt(line.content, line.content.size()) &&
                line.content.find('{') == std::string::npos)
                line.removed = true;
        }
    if (!result.errors.empty())
        return result;

    std::string out;
    for (const Line& line : lines) {
        if (!line.removed)
            out += line.content + line.end;
        for (const std::string& added : line.after)
            out += added + lineEnd;
    }
    // The updated text must say exactly what the codeplug shows; a layout this
    // cannot follow is refused rather than written wrong.
    const ParsedText updated = readCodeplugText(out);
    if (!updated.errors.empty() || !diffFields(textFields(updated), fields).empty()) {
        result.errors.push_back({{}, {}, std::string(msg::kLayoutNotFollowed)});
        return result;
    }
    result.text = std::move(out);
    return result;
}

} // namespace quorl::textplug
