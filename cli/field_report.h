#pragma once

#include "textplug/text_diff.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace quorl::cli {

// One line per differing value, as `quorl diff` and `quorl verify` print them.
void printFieldDifferences(const std::vector<textplug::FieldDifference>& differences,
                           std::ostream& out);

// The same as JSON: {"equal":..,"differences":[{"field":..,"identity":..,"a":..,"b":..}],
// "hiddenByteDifferences":..,"hiddenByteAddresses":["0x0301","0x0310-0x0313",..]}.
void printFieldDifferencesJson(const std::vector<textplug::FieldDifference>& differences,
                               std::size_t hiddenBytes, const std::vector<std::string>& hiddenRuns,
                               std::ostream& out);

} // namespace quorl::cli
