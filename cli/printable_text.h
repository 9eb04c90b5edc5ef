#pragma once

#include "codeplug/printable_text.h"

namespace quorl::cli {

using quorl::isHiddenControl;
using quorl::printableText;
using quorl::utf8SequenceLength;

} // namespace quorl::cli
