#pragma once

#include <cstdint>
#include <string>

namespace quorl::vq4 {

// Sample positions of interest in a prompt; they follow the prompt to its new rate.
struct SampleMarkers {
    double begin = 0;
    double end = 0;
};

// Brings `source` to `targetRate` as the WAV file `copy` (libsndfile for the
// files, one libresample converter per channel). A copy newer than the source
// is kept as it is; at ratio 1 the source is copied byte for byte. False when
// the source cannot be opened or the copy cannot be written.
bool resampleWav(const std::string& source, const std::string& copy, int targetRate,
                 SampleMarkers* markers = nullptr);

// The sample rate in a WAV file's own header, 0 when libsndfile cannot open it.
int wavFileSampleRate(const std::string& path);

} // namespace quorl::vq4
