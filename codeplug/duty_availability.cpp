#include "codeplug/duty_availability.h"

#include "codeplug/function_switch_block.h"

namespace quorl {

bool dutyAvailable(const CodeplugImage& image, int channel) {
    const ConstFunctionSwitchBlock switches(image);
    for (int k = 0; k < kSwitchCount; ++k) {
        const ConstSwitchEntry e = switches.entry(k);
        // Selective Call F1..F5 have the codes of channels 0..4.
        if (e.dutyEnabled() && (e.mode() == switch_mode::kSilentScan || e.mode() == channel))
            return true;
    }
    return false;
}

} // namespace quorl
