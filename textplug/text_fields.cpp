#include "textplug/text_fields.h"

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

bool isIdentity(const std::vector<std::string>& path) {
    return !path.empty() && path.front() == kIdentitySection;
}

} // namespace quorl::textplug
