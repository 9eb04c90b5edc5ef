#pragma once

#include "textplug/text_fields.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorl::textplug {

// The program version named in the header of every exported text.
std::string_view programVersion();

// The YAML text of `fields` (from codeplugFields): a header comment naming the
// installed schema,
// program version and `sourceName`, the format key, then the sections in their fixed order, so two
// exports of the same image are the same text.
std::string exportText(const std::vector<TextField>& fields, std::string_view sourceName);

} // namespace quorl::textplug
