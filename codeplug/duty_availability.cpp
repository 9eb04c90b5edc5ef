#include "codeplug/duty_availability.h"

#include "codeplug/codeplug_layout.h"

namespace quorl {
namespace {
constexpr Address kFirstSwitch = layout::kFunctionSwitchesBlock + 2;
constexpr int kSwitchCount = 8;
constexpr Address kSwitchSize = 6;
constexpr int kModeSilentScan = 12;
} // namespace

bool dutyAvailable(const CodeplugImage& image, int channel) {
    for (int i = 0; i < kSwitchCount; ++i) {
        const Address entry = kFirstSwitch + kSwitchSize * static_cast<Address>(i);
        const int mode = image.at(entry) & 0x0F;
        const bool dutyEnabled = (image.at(entry + 3) & 0x01) != 0;
        if (dutyEnabled && (mode == kModeSilentScan || mode == channel))
            return true;
    }
    return false;
}

} // namespace quorl
