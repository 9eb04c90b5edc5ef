#pragma once

#include "codeplug/codeplug_image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorl {

// One receive channel of a factory codeplug.
struct DefaultChannel {
    std::int64_t receiveHz = 0;
    bool wideBandwidth = true;
    std::uint8_t codingOption = 3; // STD: one call address "A - B"
    std::uint16_t toneA = 0;       // tenths of a hertz
    std::uint16_t toneB = 0;
};

// What distinguishes one factory codeplug from another.
struct FactoryCodeplug {
    std::uint8_t bandCode = 0;
    std::string serialNumber;
    std::string modelNumber; // 12 characters
    std::string tanapa;
    std::string codeplugVersion = "R0107"; // five characters, shown R01.07
    std::vector<DefaultChannel> channels;  // 1 or 5
};

// Builds a complete image that passes the image check: identity, model options,
// function switches and the channel blocks, with every checksum and the mirror set.
// Throws std::invalid_argument for a frequency the synthesizer cannot reach.
CodeplugImage makeDefaultCodeplug(const FactoryCodeplug& factory);

// The two codeplugs shipped in Lib: a five-channel VHF and a single-channel UHF pager.
FactoryCodeplug vhfFiveChannelFactory();
FactoryCodeplug uhfSingleChannelFactory();

} // namespace quorl
