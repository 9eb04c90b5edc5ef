#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorl {

// The one place where pager values become text and text becomes pager values.
// Both directions ignore the process locale: a desktop set to a decimal-comma
// language must show "45.100000" and store the same bytes as any other desktop,
// so nothing here goes through printf, strtod or the C++ stream locale.

// `value` with exactly `decimals` digits after a '.' (none and no point for 0),
// rounded to nearest. Negative values get a leading '-'.
std::string decimalText(double value, int decimals);

// A plain decimal number as a person types it into a numeric box: digits with at
// most one '.', at least one digit. Anything else (sign, exponent, "nan", "inf",
// hex, blanks, a comma) is no number and yields nullopt.
std::optional<double> parseDecimalText(std::string_view text);

// The whole number of `step`s nearest to `value` (halves away from zero). Typed
// values become stored counts this way, never by truncation: a box showing 32.16 s
// (67 steps of 0.48 s) computes 66.99999... from it, and must store 67 again.
long nearestSteps(double value, double step);

} // namespace quorl
