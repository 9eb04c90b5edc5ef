#include "codeplug/general_block.h"

#include "codeplug/codeplug_texts.h"
#include "codeplug/decimal_text.h"

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

std::array<char, 5> GeneralBlock::codeplugVersionChars() const {
    std::array<char, 5> c{};
    for (Address i = 0; i < 5; ++i)
        c[i] = static_cast<char>(image_.at(0x013A + i));
    return c;
}

std::string GeneralBlock::codeplugVersionText() const {
    const auto c = codeplugVersionChars();
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

void writeIdentityText(CodeplugImage& image, Address a, std::size_t width,
                       const std::string& text) {
    for (std::size_t i = 0; i < width; ++i) {
        const auto c = i < text.size() ? static_cast<std::uint8_t>(text[i]) : std::uint8_t{0xFF};
        image.set(a + static_cast<Address>(i), c);
    }
}

} // namespace quorl
