#pragma once

namespace quorl::tones {

// A steady tone found in a recording.
struct FoundTone {
    double start = 0;    // seconds from the start of the recording
    double duration = 0; // seconds
    double hz = 0;       // to a tenth of a hertz
    double dbfs = 0;     // peak level: 0 is a full-scale sine
};

} // namespace quorl::tones
