#include "audio/slot_fit.h"

#include "base/decimal_text.h"

#include <cmath>

namespace quorl {

SlotFit slotFit(std::size_t streamBytes, std::size_t samples, int sampleRate) {
    SlotFit fit;
    fit.streamBytes = streamBytes;
    fit.pages = (streamBytes + kSlotStreamBlock - 1) / kSlotStreamBlock;
    fit.percent =
        static_cast<int>((streamBytes * 100 + kSlotCapacityBytes / 2) / kSlotCapacityBytes);
    fit.fits = streamBytes > 0 && fit.pages <= kSlotSectors;
    if (sampleRate > 0)
        fit.seconds = static_cast<double>(samples) / sampleRate;
    // Bytes per second of this very stream: exact for the fixed-rate codecs, and for
    // the variable ones what this kind of recording costs.
    if (streamBytes > 0)
        fit.longestSeconds = fit.seconds * static_cast<double>(kSlotCapacityBytes) /
                             static_cast<double>(streamBytes);
    return fit;
}

double recordingLimitSeconds(const SlotFit& fit) {
    return std::floor(fit.longestSeconds * 10.0) / 10.0;
}

std::string slotFitText(const SlotFit& fit) {
    std::string text = std::to_string(fit.percent) + " %, " + decimalText(fit.seconds, 1) +
                       " s of at most " + decimalText(fit.longestSeconds, 1) + " s";
    if (!fit.fits)
        text += " \u2013 too long";
    return text;
}

} // namespace quorl
