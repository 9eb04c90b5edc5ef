#include "textplug/text_reader.h"

#include "codeplug/channel_block.h"
#include "editors/channel_texts.h"
#include "editors/function_switch_tab.h"
#include "editors/user_data_texts.h"
#include "textplug/model_option_lists.h"
#include "textplug/text_keys.h"
#include "textplug/textplug_texts.h"
#include "textplug/yaml_documents.h"

#include <algorithm>
#include <optional>
#include <set>
#include <yaml-cpp/yaml.h>

namespace quorl::textplug {

namespace txt = texts::channel;

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

constexpr int kMaxFlowDepth = 32;
constexpr int kMaxIndent = 64;

TextMark markOf(const YAML::Mark& m) {
    if (m.is_null())
        return {};
    return {m.line + 1, m.column + 1};
}

// What may stand below a map of the text: the keys and whether each holds a map.
struct Schema {
    std::vector<std::string> keys;
    bool childIsMap = false;
};

std::vector<std::string> switchKeys() {
    return {keys::fromLabel(texts::kModeLabel),
            keys::fromLabel(texts::kAlertTypeLabel),
            keys::fromLabel(texts::kAnnouncementLabel),
            std::string(texts::kEnableDuty),
            std::string(texts::kPushToListen),
            std::string(keys::kScan1),
            std::string(keys::kScan2)};
}

std::vector<std::string> channelValueKeys() {
    return {std::string(txt::kReceiverFrequency), std::string(txt::kBandwidth),
            std::string(txt::kSquelch),           std::string(txt::kToneSystem),
            std::string(txt::kCodingOption),      std::string(txt::kResetFunction),
            std::string(txt::kResetTimer),        std::string(txt::kToneTolerance),
            std::string(txt::kInterpageGapTime)};
}

bool isRowName(const std::string& key) {
    for (int row = 0; row < kEntryRows; ++row)
        if (keys::rowName(row) == key)
            return true;
    return false;
}

// The keys allowed in the map at `path`, and whether `key` there holds a map.
bool allowedKey(const std::vector<std::string>& path, const std::string& key, bool& holdsMap) {
    holdsMap = false;
    const auto in = [&](const std::vector<std::string>& list) {
        return std::find(list.begin(), list.end(), key) != list.end();
    };
    switch (path.size()) {
    case 0:
        holdsMap = true;
        return in({kIdentitySection, kModelOptionsSection, kSwitchesSection, kChannelsSection});
    case 1:
        if (path[0] == kIdentitySection)
            return in(keys::identityKeys());
        if (path[0] == kModelOptionsSection) {
            for (const auto& f : modelOptionFields())
                if (f.key == key)
                    return true;
            return false;
        }
        holdsMap = true;
        if (path[0] == kSwitchesSection) {
            for (int k = 0; k < kSwitchCount; ++k)
                if (keys::switchName(k) == key)
                    return true;
            return false;
        }
        for (int ch = 0; ch < 5; ++ch)
            if (keys::channelName(ch) == key)
                return true;
        return false;
    case 2:
        if (path[0] == kSwitchesSection)
            return in(switchKeys());
        holdsMap = isRowName(key);
        return holdsMap || in(channelValueKeys());
    case 3: {
        const bool group = path[2].starts_with(txt::kGroupRowPrefix);
        if (group)
            return in({std::string(keys::kGroupTone), std::string(txt::kAlert),
                       std::string(txt::kVibrate), std::string(keys::kDuty)});
        return in({std::string(txt::kTone1), std::string(txt::kTone2), std::string(txt::kAlert),
                   std::string(txt::kVibrate), std::string(keys::kDuty)});
    }
    default:
        return false;
    }
}

class Walker {
public:
    explicit Walker(ParsedText& out) : out_(out) {}

    void map(const YAML::Node& node, std::vector<std::string>& path) {
        std::set<std::string> seen;
        for (const auto& entry : node) {
            if (stopped_)
                return;
            // Copies: the iterator's pair is a temporary.
            const YAML::Node keyNode = entry.first;
            const YAML::Node value = entry.second;
            const TextMark keyMark = markOf(keyNode.Mark());
            if (!keyNode.IsScalar()) {
                error(keyMark, path, std::string(msg::kKeyNotText));
                continue;
            }
            const std::string key = keyNode.Scalar();
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
                } else if (value.IsNull() && path.size() > 1) {
                    // "F2:" with nothing below: an empty map.
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

// A codeplug text nests four maps deep. Far deeper nesting is refused before the
// parser sees it: the parser recurses per level and its own limit answers only
// "bad file". Brackets inside quotes and comments do not count.
std::optional<TextProblem> nestingProblem(std::string_view text) {
    int line = 1, column = 0, depth = 0, indent = 0;
    bool lineStart = true, comment = false;
    char quote = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        ++column;
        if (c == '\n') {
            ++line;
            column = 0;
            indent = 0;
            lineStart = true;
            comment = false;
            continue;
        }
        if (lineStart && c == ' ') {
            if (++indent > kMaxIndent)
                return TextProblem{{line, column}, {}, std::string(msg::kTooDeep)};
            continue;
        }
        lineStart = false;
        if (comment)
            continue;
        if (quote) {
            if (c == quote && !(quote == '"' && i > 0 && text[i - 1] == '\\'))
                quote = 0;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '#' && (i == 0 || text[i - 1] == ' ' || text[i - 1] == '\t')) {
            comment = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxFlowDepth)
                return TextProblem{{line, column}, {}, std::string(msg::kTooDeep)};
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return std::nullopt;
}

} // namespace

ParsedText readCodeplugText(std::string_view text) {
    ParsedText out;
    if (text.size() > kMaxTextBytes) {
        out.errors.push_back({{}, {}, std::string(msg::kTooLarge)});
        return out;
    }
    if (const auto deep = nestingProblem(text)) {
        out.errors.push_back(*deep);
        return out;
    }
    try {
        if (const auto problem = documentProblem(text)) {
            out.errors.push_back(*problem);
            return out;
        }
        const YAML::Node document = YAML::Load(std::string(text));
        if (!document.IsMap()) {
            out.errors.push_back({markOf(document.Mark()), {}, std::string(msg::kNotCodeplugText)});
            return out;
        }
        std::vector<std::string> path;
        Walker(out).map(document, path);
    } catch (const YAML::Exception& e) {
        out.errors.push_back({markOf(e.mark), {}, std::string(msg::kNotYaml) + e.msg});
    }
    return out;
}

} // namespace quorl::textplug
