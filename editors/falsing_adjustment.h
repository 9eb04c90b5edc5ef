#pragma once

#include "codeplug/codeplug_state.h"

namespace quorl {

// The two decoder guard levels of a channel's falsing byte: tone tolerance in
// bits 4-5 and interpage gap time in bits 0-1. Unlike every other channel field
// this byte is committed as soon as the dialog's OK is pressed, so a later Cancel
// of the User Data window keeps it.
class FalsingAdjustment {
public:
    FalsingAdjustment(CodeplugState& state, int channel);

    // Start positions, read from the committed image. A corrupt byte can give 3,
    // which the slider shows at its end.
    int toneTolerance() const;
    int interpageGap() const;

    // Each slider movement writes the edit image at once; bits 2-3 and 6-7 are
    // cleared.
    void setToneTolerance(int position);
    void setInterpageGap(int position);

    void accept(); // the edit image's byte becomes the committed one
    void cancel(); // the committed byte is put back into the edit image

private:
    Address address() const;
    CodeplugState& state_;
    int channel_;
};

} // namespace quorl
