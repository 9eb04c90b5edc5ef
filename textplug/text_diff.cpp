#include "textplug/text_diff.h"

#include "textplug/textplug_texts.h"

#include <map>

namespace quorl::textplug {

std::vector<FieldDifference> diffFields(const std::vector<TextField>& a,
                                        const std::vector<TextField>& b) {
    std::map<std::string, const TextField*> inB;
    for (const TextField& f : b)
        inB[pathKey(f.path)] = &f;
    std::map<std::string, bool> seen;
    std::vector<FieldDifference> out;
    for (const TextField& f : a) {
        const auto key = pathKey(f.path);
        seen[key] = true;
        const auto it = inB.find(key);
        if (it == inB.end())
            out.push_back({fieldName(f.path), isIdentity(f.path), f.value, std::nullopt});
        else if (it->second->value != f.value)
            out.push_back({fieldName(f.path), isIdentity(f.path), f.value, it->second->value});
    }
    for (const TextField& f : b)
        if (!seen.contains(pathKey(f.path)))
            out.push_back({fieldName(f.path), isIdentity(f.path), std::nullopt, f.value});
    return out;
}

std::vector<TextField> textFields(const ParsedText& text) {
    std::vector<TextField> out;
    for (const auto& key : text.order) {
        const TextValue& v = text.values.at(key);
        out.push_back({v.path, v.value});
    }
    return out;
}

namespace {
std::string side(const std::optional<std::string>& v) {
    if (!v)
        return std::string(msg::kAbsent);
    return v->empty() ? "\"\"" : *v;
}
} // namespace

std::string formatDifference(const FieldDifference& d) {
    return d.field + (d.identity ? std::string(msg::kIdentityMark) : std::string()) + ": " +
           side(d.a) + " \u2192 " + side(d.b);
}

} // namespace quorl::textplug
