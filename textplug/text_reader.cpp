#include "textplug/text_reader.h"

#include "textplug/text_key_table.h"
#include "textplug/text_layout.h"
#include "textplug/textplug_texts.h"
#include "textplug/yaml_documents.h"

#include <algorithm>
#include <optional>
#include <set>
#include <yaml-cpp/yaml.h>

namespace quorl::textplug {

std::string formatProblem(std::string_view fileName, const TextProblem& p) {
    std::string out(fileName);
    out += ':' + std::to_string(p.mark.line) + ':' + std::to_string(p.mark.column) + ": ";
    if (!p.field.empty())
        out += p.field + ": ";
    return out + p.message;
}

std::string pathKey(const std::vector<std::string>& path) {
    std::string key;
    for (const auto& part : path) {
        key += part;
        key += '\n';
    }
    return key;
}

namespace {

TextMark markOf(const YAML::Mark& m) {
    if (m.is_null())
        return {};
    return {m.line + 1, m.column + 1};
}

// Whether the map at `path` may hold `key`, and whether `key` holds a map.
bool allowedKey(const std::vector<std::string>& path, const std::string& key, bool& holdsMap) {
    for (const KeyRule& rule : keysBelow(path))
        if (rule.key == key) {
            holdsMap = rule.kind == KeyKind::Map;
            return true;
        }
    holdsMap = false;
    return false;
}

class Walker {
public:
    explicit Walker(ParsedText& out) : out_(out) {}

    void map(const YAML::Node& node, std::vector<std::string>& path) {
        std::set<std::string> seen;
        for (const auto& [keyNode, value] : entriesWithMerges(node, path)) {
            if (stopped_)
                return;
            const TextMark keyMark = markOf(keyNode.Mark());
            if (!keyNode.IsScalar()) {
                error(keyMark, path, std::string(msg::kKeyNotText));
                continue;
            }
            const std::string key = keyNode.Scalar();
            if (path.empty() && key == kFormatKey) {
                format(keyNode, value);
                continue;
            }
            bool holdsMap = false;
            if (!allowedKey(path, key, holdsMap)) {
                error(keyMark, path, std::string(msg::kUnknownKey) + " \"" + key + "\"");
                continue;
            }
            if (!seen.insert(key).second) {
                path.push_back(key);
                error(keyMark, path, std::string(msg::kDuplicateKey));
                path.pop_back();
                continue;
            }
            path.push_back(key);
            if (holdsMap) {
                if (value.IsMap()) {
                    out_.containers[pathKey(path)] = keyMark;
                    map(value, path);
                } else if (value.IsNull()) {
                    // "F2:" or "identity:" with nothing below: an empty map.
                    out_.containers[pathKey(path)] = keyMark;
                } else {
                    out_.refused.insert(pathKey(path));
                    error(keyMark, path, std::string(msg::kExpectedMap));
                }
            } else if (value.IsScalar() || value.IsNull()) {
                out_.order.push_back(pathKey(path));
                out_.values[pathKey(path)] = {
                    path, value.IsNull() ? std::string() : value.Scalar(),
                    markOf(value.IsNull() ? keyNode.Mark() : value.Mark())};
            } else {
                out_.refused.insert(pathKey(path));
                error(keyMark, path, std::string(msg::kExpectedValue));
            }
            path.pop_back();
        }
    }

private:
    using Entry = std::pair<YAML::Node, YAML::Node>;

    // The entries of a map with YAML merge keys ("<<: *F1") resolved: the map's own
    // entries first, then those of each merged map that the map does not give itself
    // (the first merged map wins, as YAML says).
    std::vector<Entry> entriesWithMerges(const YAML::Node& node,
                                         const std::vector<std::string>& path, int depth = 0) {
        std::vector<Entry> own, merged;
        std::set<std::string> given;
        for (const auto& entry : node) {
            // Copies: the iterator's pair is a temporary.
            const YAML::Node key = entry.first;
            const YAML::Node value = entry.second;
            if (key.IsScalar() && key.Scalar() == kMergeKey && key.Tag() != "!") {
                // A quoted "<<" (tag "!") is an ordinary key.
                merges(key, value, path, merged, depth);
                continue;
            }
            if (key.IsScalar())
                given.insert(key.Scalar());
            own.emplace_back(key, value);
        }
        for (const auto& entry : merged)
            if (given.insert(entry.first.Scalar()).second)
                own.push_back(entry);
        return own;
    }

    // A merged map may merge others in turn; an anchor merged into itself stops
    // at this depth.
    static constexpr int kMaxMergeDepth = 4;

    void merges(const YAML::Node& key, const YAML::Node& value,
                const std::vector<std::string>& path, std::vector<Entry>& merged, int depth) {
        std::vector<YAML::Node> sources;
        if (value.IsMap())
            sources.push_back(value);
        else if (value.IsSequence())
            for (const auto& item : value)
                sources.push_back(item);
        const bool allMaps = std::all_of(sources.begin(), sources.end(),
                                         [](const YAML::Node& n) { return n.IsMap(); });
        if (sources.empty() || !allMaps || depth >= kMaxMergeDepth) {
            error(markOf(key.Mark()), path, std::string(msg::kMergeNeedsMap));
            return;
        }
        for (const auto& source : sources)
            for (const auto& entry : entriesWithMerges(source, path, depth + 1))
                if (entry.first.IsScalar())
                    merged.push_back(entry);
    }

    void format(const YAML::Node& key, const YAML::Node& value) {
        if (!value.IsScalar()) {
            error(markOf(key.Mark()), {kFormatKey}, std::string(msg::kExpectedValue));
            return;
        }
        out_.format = TextValue{{kFormatKey}, value.Scalar(), markOf(value.Mark())};
    }

    // A text with aliases can name one large map from many places; past this many
    // errors the rest is not read, so no text can make the list grow without end.
    static constexpr std::size_t kMaxErrors = 100;

    void error(TextMark mark, const std::vector<std::string>& path, std::string message) {
        if (out_.errors.size() + 1 >= kMaxErrors) {
            out_.errors.push_back({mark, {}, std::string(msg::kTooManyErrors)});
            stopped_ = true;
            return;
        }
        out_.errors.push_back(
            {mark, path.empty() ? std::string() : fieldName(path), std::move(message)});
    }
    ParsedText& out_;
    bool stopped_ = false;
};

} // namespace

namespace {

// The marks of `out` in characters rather than the reader's bytes.
void countCharacters(ParsedText& out, std::string_view text) {
    const CharacterColumns columns(text);
    for (auto& [key, v] : out.values)
        v.mark = columns(v.mark);
    for (auto& [key, mark] : out.containers)
        mark = columns(mark);
    for (auto& e : out.errors)
        e.mark = columns(e.mark);
    if (out.format)
        out.format->mark = columns(out.format->mark);
}

void readInto(ParsedText& out, const std::string& text) {
    if (const auto layout = layoutProblem(text)) {
        out.errors.push_back(*layout);
        return;
    }
    try {
        if (const auto problem = documentProblem(text)) {
            out.errors.push_back(*problem);
            return;
        }
        const YAML::Node document = YAML::Load(text);
        if (!document.IsMap()) {
            out.errors.push_back({markOf(document.Mark()), {}, std::string(msg::kNotCodeplugText)});
            return;
        }
        std::vector<std::string> path;
        Walker(out).map(document, path);
    } catch (const YAML::Exception& e) {
        out.errors.push_back({markOf(e.mark), {}, std::string(msg::kNotYaml) + e.msg});
    }
}

} // namespace

ParsedText readCodeplugText(std::string_view text) {
    ParsedText out;
    if (text.size() > kMaxTextBytes) {
        out.errors.push_back({{}, {}, std::string(msg::kTooLarge)});
        return out;
    }
    const std::string readable = readableText(text);
    readInto(out, readable);
    countCharacters(out, readable);
    return out;
}

} // namespace quorl::textplug
