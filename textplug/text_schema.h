#pragma once

#include <string>

namespace quorl::textplug {

// The JSON Schema (draft 7) of the codeplug text, made from the reader's key table:
// every key with its kind, the items of the lists that do not depend on the pager,
// the ranges that do not depend on other values, and a description. Editors with
// YAML support use it to complete keys and mark typos as they are typed.
std::string codeplugTextSchema();

// Where the installed schema lives; exports name it on their first line.
std::string installedSchemaPath();

} // namespace quorl::textplug
