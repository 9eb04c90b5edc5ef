#pragma once

#include "textplug/text_diff.h"

#include <iosfwd>
#include <vector>

namespace quorl::cli {

// One line per differing value, as `quorl diff` and `quorl verify` print them.
void printFieldDifferences(const std::vector<textplug::FieldDifference>& differences,
                           std::ostream& out);

// The same as JSON: {"equal":..,"differences":[{"field":..,"identity":..,"a":..,"b":..}],
// "hiddenByteDifferences":..}.
void printFieldDifferencesJson(const std::vector<textplug::FieldDifference>& differences,
                               int hiddenBytes, std::ostream& out);

} // namespace quorl::cli
