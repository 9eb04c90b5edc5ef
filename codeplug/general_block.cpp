#include "codeplug/general_block.h"

#include "base/decimal_text.h"
#include "codeplug/codeplug_texts.h"

namespace quorl {

bool bandRangeForCode(std::uint8_t code, BandRange& out) {
    switch (code) {
    case 0:
    case 1:
        out = {143, 174};
        return true;
    case 2:
        out = {406, 430};
        return true;
    case 3:
        out = {450, 486};
        return true;
    case 4:
        out = {476, 512};
        return true;
    default:
        return false;
    }
}

std::string versionText(const std::array<char, 5>& c) {
    std::string out;
    auto add = [&out](char ch) {
        if (ch != '\0')
            out.push_back(ch);
    };
    add(c[0]);
    add(c[1]);
    add(c[2]);
    out.push_back('.');
    add(c[3]);
    add(c[4]);
    return out;
}

std::string formatIntermediateFrequency(std::uint32_t hz) {
    return decimalText(static_cast<double>(hz) / 1e6, 6);
}

std::string channelCountText(std::uint8_t count) {
    return std::string(count == 1 ? texts::kSingleChannel : texts::kFiveChannel);
}

std::string formatVersion(const std::array<std::string, 5>& chars) {
    bool allEmpty = true;
    for (const auto& c : chars)
        allEmpty = allEmpty && c.empty();
    if (allEmpty)
        return {};
    return chars[0] + chars[1] + chars[2] + "." + chars[3] + chars[4];
}

} // namespace quorl
