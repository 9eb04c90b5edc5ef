#include "codeplug/image_check.h"

#include "codeplug/channel_block.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/frequency_encoding.h"
#include "codeplug/general_block.h"
#include "codeplug/tone_encoding.h"

namespace quorl {

namespace {

bool lengthBytesValid(const CodeplugImage& image) {
    using namespace layout;
    return image.at(kGeneralBlock) == kGeneralLength &&
           image.at(kModelOptionsBlock) == kModelOptionsLength &&
           image.at(kFunctionSwitchesBlock) == kFunctionSwitchesLength &&
           image.at(kChannelBlocks) == kChannelLength;
}

bool channelValid(const CodeplugImage& image, int channel, std::uint8_t bandCode,
                  const BandLimits& limits) {
    const ConstChannelBlock block(image, channel);
    const auto w = block.synthWord();
    if (w == 0)
        return false;
    const auto rx = receiveFrequencyHz(w, block.fraction(), block.stepCode(), bandCode);
    // Compare in Hz: the accepted range is [low - 1, high + 1] MHz, bounds included.
    const std::int64_t lowHz = (std::int64_t{limits.lowMHz} - 1) * 1'000'000;
    const std::int64_t highHz = (std::int64_t{limits.highMHz} + 1) * 1'000'000;
    if (rx < lowHz || rx > highHz)
        return false;
    for (int call = 1; call <= 10; ++call)
        for (int tone = 1; tone <= 2; ++tone)
            if (!isValidToneValue(block.callTone(call, tone).tenthsHz))
                return false;
    for (int group = 1; group <= 5; ++group)
        if (!isValidToneValue(block.groupTone(group).tenthsHz))
            return false;
    return true;
}

} // namespace

bool checkImage(const CodeplugImage& image, BandLimits& limits) {
    if (!lengthBytesValid(image))
        return false;
    const GeneralBlock general(image);
    BandRange range{};
    if (bandRangeForCode(general.bandCode(), range))
        limits = {range.lowMHz, range.highMHz};
    const int count = general.channelCount();
    for (int ch = 0; ch < count; ++ch) {
        // The count byte is not bounded by the pager; a block that would run past
        // the image cannot be a valid channel.
        if (layout::channelBase(ch) + layout::kChannelBlockSize > kImageSize)
            return false;
        if (!channelValid(image, ch, general.bandCode(), limits))
            return false;
    }
    return true;
}

} // namespace quorl
