#pragma once

#include "codeplug/codeplug_image.h"

#include <array>
#include <cstdint>
#include <string>

namespace quorl {

// Band split codes of the General block.
struct BandRange {
    int lowMHz;
    int highMHz;
};
// 0 and 1 are VHF 143-174 MHz, 2..4 the UHF splits; anything else is unknown.
bool bandRangeForCode(std::uint8_t code, BandRange& out);

// The identity fields of the General block (0x0100..0x015F). Nothing edits them
// except the General tab's clearing of 0x0101, so this view only reads.
class GeneralBlock {
public:
    explicit GeneralBlock(const CodeplugImage& image) : image_(image) {}

    std::uint8_t lengthByte() const { return image_.at(0x0100); }
    std::uint8_t bandCode() const { return image_.at(0x0102); }
    std::uint8_t regionCode() const { return image_.at(0x0103) & 0x03; }
    std::uint32_t intermediateFrequencyHz() const { return image_.u32be(0x0104); }
    std::uint8_t channelCount() const { return image_.at(0x010D); }
    bool isSingleChannel() const { return channelCount() == 1; }
    bool tcxo134() const { return (image_.at(0x010E) & 0x01) != 0; }

    std::string serialNumber() const { return image_.text(0x0110, 10); }
    std::string modelNumber() const { return image_.text(0x011A, 16); }
    std::string tanapa() const { return image_.text(0x012A, 16); }
    std::array<char, 5> codeplugVersionChars() const;
    // "R01.07": three characters, a point, two characters.
    std::string codeplugVersionText() const;

private:
    const CodeplugImage& image_;
};

// Intermediate frequency shown in MHz with six decimals ("45.100000").
std::string formatIntermediateFrequency(std::uint32_t hz);

// "Single Channel" / "Five Channel" as the General tab shows the channel count.
std::string channelCountText(std::uint8_t count);

// Shows five version characters as c0 c1 c2 "." c3 c4, or empty when all are empty.
std::string formatVersion(const std::array<std::string, 5>& chars);

// Writers for the identity fields, used by the default codeplug generator and the
// pager simulator. The field is padded with 0xFF after the text.
void writeIdentityText(CodeplugImage& image, Address a, std::size_t width, const std::string& text);

} // namespace quorl
