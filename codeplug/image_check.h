#pragma once

#include "codeplug/codeplug_image.h"

namespace quorl {

// Band limits of the last image whose band code was recognised. Both start at 0
// so that an unknown band code in the first image checked fails the range test.
struct BandLimits {
    int lowMHz = 0;
    int highMHz = 0;
};

// The check an image must pass before the program accepts it: block length bytes,
// band split, and for each used channel the synthesizer word, the receive
// frequency against the band (with 1 MHz of slack) and every tone value. Updates
// `limits` from the band code. A channel count that would take a channel block
// past the end of the image fails the check.
bool checkImage(const CodeplugImage& image, BandLimits& limits);

} // namespace quorl
