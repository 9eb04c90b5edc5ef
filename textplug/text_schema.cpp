#include "textplug/text_schema.h"

#include "base/decimal_text.h"
#include "textplug/text_format.h"
#include "textplug/text_key_table.h"
#include "textplug/text_reader.h"

#include <charconv>

namespace quorl::textplug {

std::string installedSchemaPath() {
    return QUORL_TEXTPLUG_SCHEMA_PATH;
}

namespace {

std::string quoted(std::string_view s) {
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// Shortest form with a point under every locale (JSON wants the point).
std::string number(double v) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v).ptr;
    return std::string(text, end);
}

// A number may also be written quoted, as a person types it into the box.
constexpr const char* kDecimalPattern = R"("^[0-9]+(\\.[0-9]*)?$")";

std::string valueSchema(const KeyRule& rule) {
    switch (rule.kind) {
    case KeyKind::Map:
    case KeyKind::Text:
        return R"("type":["string","number","null"])";
    case KeyKind::Number:
        return R"("type":["number","string"],"minimum":0,"pattern":)" +
               std::string(kDecimalPattern);
    case KeyKind::Position:
        return R"("type":["integer","string"],"minimum":)" + number(rule.low) +
               ",\"maximum\":" + number(rule.high) + R"(,"pattern":"^[0-9]+$")";
    case KeyKind::Tone:
        return R"("anyOf":[{"type":"number","minimum":)" + number(rule.low) +
               ",\"maximum\":" + number(rule.high) +
               R"(},{"type":"string","pattern":"^([0-9]+(\\.[0-9]*)?)?$"}])";
    case KeyKind::Item: {
        // "12.5" reads as a number in YAML unless quoted: both are the item.
        std::string out = "\"enum\":[";
        for (std::size_t i = 0; i < rule.items.size(); ++i) {
            if (i > 0)
                out += ',';
            out += quoted(rule.items[i]);
            if (const auto n = parseDecimalText(rule.items[i]))
                out += ',' + number(*n);
        }
        return out + ']';
    }
    }
    return {};
}

std::string mapSchema(std::vector<std::string>& path, std::string_view description) {
    // An empty map may be written "F2:" (null); "<<" merges another map in.
    std::string out =
        R"({"type":["object","null"],"description":)" + quoted(description) +
        R"(,"additionalProperties":false,"properties":{"<<":{"description":)"
        R"("A YAML merge key: the keys of another map (*F1) this one does not give."})";
    for (const KeyRule& rule : keysBelow(path)) {
        out += ',' + quoted(rule.key) + ':';
        if (rule.kind == KeyKind::Map) {
            path.push_back(rule.key);
            out += mapSchema(path, rule.description);
            path.pop_back();
        } else {
            out += "{\"description\":" + quoted(rule.description) + ',' + valueSchema(rule) + '}';
        }
    }
    return out + "}}";
}

} // namespace

std::string codeplugTextSchema() {
    std::vector<std::string> path;
    std::string body = mapSchema(path, "A codeplug of the Tessaly VI pager as text.");
    // The top level also names the format.
    const std::string properties = "\"properties\":{";
    body.insert(body.find(properties) + properties.size(),
                quoted(kFormatKey) + R"(:{"description":"The form of the text.","const":)" +
                    quoted(formatValue()) + "},");
    return R"({"$schema":"http://json-schema.org/draft-07/schema#","title":"Tessaly VI Quorl codeplug text",)" +
           body.substr(1) + '\n';
}

} // namespace quorl::textplug
