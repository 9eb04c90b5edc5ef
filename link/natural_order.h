#pragma once

#include <string_view>

namespace quorl {

// Orders names as a person reads them: runs of digits compare by their value, so
// ttyUSB2 comes before ttyUSB10; other characters compare as bytes. Equal values
// with different spellings ("07" and "7") fall back to the plain byte order, so the
// order stays strict.
bool naturalLess(std::string_view a, std::string_view b);

} // namespace quorl
