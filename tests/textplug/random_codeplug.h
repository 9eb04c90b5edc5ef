#pragma once

#include "codeplug/codeplug_image.h"

#include <random>

namespace quorl::test {

// A codeplug made the way a technician makes one: the User Data window opened
// over `start`, then a random sequence of edits through the real editor logic
// (lists, check boxes, typed numbers and tones, spin buttons, pickers' stores,
// falsing sliders; including entries the editors refuse), then OK and Save As.
CodeplugImage randomCodeplug(std::mt19937& rng, const CodeplugImage& start);

} // namespace quorl::test
