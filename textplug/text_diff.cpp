#include "textplug/text_diff.h"

#include "textplug/textplug_texts.h"

#include <algorithm>
#include <map>

namespace quorl::textplug {

std::vector<FieldDifference> diffFields(const std::vector<TextField>& a,
                                        const std::vector<TextField>& b) {
    std::map<std::string, std::size_t> inA, inB;
    for (std::size_t i = 0; i < a.size(); ++i)
        inA[pathKey(a[i].path)] = i;
    for (std::size_t j = 0; j < b.size(); ++j)
        inB[pathKey(b[j].path)] = j;
    std::vector<FieldDifference> out;
    // Values only `b` shows are listed where `b` has them, between the values both
    // show, so a channel's lines stay together.
    std::size_t next = 0;
    const auto onlyInBUpTo = [&](std::size_t end) {
        for (; next < end && next < b.size(); ++next)
            if (!inA.contains(pathKey(b[next].path)))
                out.push_back({fieldName(b[next].path), isIdentity(b[next].path), std::nullopt,
                               b[next].value});
    };
    for (const TextField& f : a) {
        const auto it = inB.find(pathKey(f.path));
        if (it == inB.end()) {
            out.push_back({fieldName(f.path), isIdentity(f.path), f.value, std::nullopt});
            continue;
        }
        onlyInBUpTo(it->second);
        next = std::max(next, it->second + 1);
        if (!sameValue(b[it->second].value, f.value))
            out.push_back({fieldName(f.path), isIdentity(f.path), f.value, b[it->second].value});
    }
    onlyInBUpTo(b.size());
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
