#pragma once

#include <span>
#include <vector>

namespace quorl::tones {

// A picture of a recording's paging band for a person to look at: `columns` time
// steps by `rows` frequency steps from 250 Hz (row 0) to 3,600 Hz, each the level in
// dB relative to the loudest cell (0 .. -80).
struct Spectrogram {
    int columns = 0;
    int rows = 0;
    double lowHz = 250, highHz = 3600;
    std::vector<float> db; // column-major: db[c * rows + r]
};

Spectrogram spectrogram(std::span<const float> samples, int rate, int columns, int rows);

} // namespace quorl::tones
