#include "textplug/text_fields.h"

#include "base/decimal_text.h"

namespace quorl::textplug {

std::string fieldName(const std::vector<std::string>& path) {
    std::string name;
    for (std::size_t i = 1; i < path.size(); ++i) {
        if (!name.empty())
            name += ' ';
        name += path[i];
    }
    return name.empty() && !path.empty() ? path.front() : name;
}

bool sameValue(const std::string& a, const std::string& b) {
    if (a == b)
        return true;
    const auto x = parseDecimalText(a);
    const auto y = parseDecimalText(b);
    return x && y && *x == *y;
}

bool isIdentity(const std::vector<std::string>& path) {
    return !path.empty() && path.front() == kIdentitySection;
}

} // namespace quorl::textplug
