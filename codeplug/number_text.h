#pragma once

#include <string>
#include <string_view>

namespace quorl {

// Decimal numbers as the edit boxes hold them, independent of the user's locale
// (a desktop locale with a decimal comma must not change what the pager gets).

// Reads the leading decimal number of `text` the way the boxes always have:
// leading blanks skipped, trailing characters ignored, 0 when there is no number.
// Never returns NaN or infinity.
double parseDecimal(std::string_view text);

// Fixed notation with `decimals` digits after the point ("%.*f").
std::string formatFixed(double value, int decimals);

} // namespace quorl
