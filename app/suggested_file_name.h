#pragma once

#include "codeplug/codeplug_state.h"

#include <string>

namespace quorl {

// The name a save or export dialog offers, without its extension: the codeplug
// file's own name; after a pager read (no file yet) the pager's serial number,
// which is what the technician files it under; "codeplug" when neither is known.
std::string suggestedFileBase(const CodeplugState& state);

} // namespace quorl
