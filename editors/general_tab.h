#pragma once

#include "codeplug/codeplug_state.h"

#include <string>

namespace quorl {

// What the General tab shows. Everything is read-only; the region and channel
// type lists are shown disabled with nothing selected.
struct GeneralTabTexts {
    std::string bandSplit;
    std::string modelNumber;
    std::string serialNumber;
    std::string tanapa;
    std::string intermediateFrequency;
    std::string tcxo;
    std::string firmwareVersion;
    std::string codeplugVersion;
};

// Fills the tab from the committed image. Opening the tab also puts the block's
// fixed bytes (length, 0x0101, the 45.1 MHz IF) back into the committed image and
// sets the band limits as the image check does.
GeneralTabTexts openGeneralTab(CodeplugState& state);

} // namespace quorl
