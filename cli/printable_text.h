#pragma once

#include "base/printable_text.h"

namespace quorl::cli {

using quorl::printableText;
using quorl::utf8SequenceLength;

} // namespace quorl::cli
