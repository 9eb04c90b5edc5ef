#pragma once

#include <QString>
#include <string_view>

namespace quorl {

// One of the system's own texts (UTF-8, Windows line breaks) as a Qt label shows it.
QString systemText(std::string_view text);

} // namespace quorl
