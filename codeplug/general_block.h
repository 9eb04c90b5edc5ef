#pragma once

#include "codeplug/codeplug_image.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/frequency_encoding.h"

#include <array>
#include <cstdint>
#include <string>
#include <type_traits>

namespace quorl {

// Band split codes of the General block.
struct BandRange {
    int lowMHz;
    int highMHz;
};
// 0 and 1 are VHF 143-174 MHz, 2..4 the UHF splits; anything else is unknown.
bool bandRangeForCode(std::uint8_t code, BandRange& out);

// "R01.07": three characters, a point, two characters; a NUL character is left out.
std::string versionText(const std::array<char, 5>& c);

// Where each field of the General block (0x0100..0x015F) lies.
namespace general_offset {
inline constexpr Address kLength = 0x0100;
inline constexpr Address kClearedOnOpen = 0x0101; // stored as 0x00 when the General tab opens
inline constexpr Address kBandCode = 0x0102;
inline constexpr Address kRegion = 0x0103;                // bits 0-1
inline constexpr Address kIntermediateFrequency = 0x0104; // 4 bytes, most significant first
inline constexpr Address kChannelCount = 0x010D;
inline constexpr Address kTcxo = 0x010E; // bit 0: 13.4 MHz
inline constexpr Address kSerialNumber = 0x0110;
inline constexpr std::size_t kSerialNumberWidth = 10;
inline constexpr Address kModelNumber = 0x011A;
inline constexpr std::size_t kModelNumberWidth = 16;
inline constexpr Address kTanapa = 0x012A;
inline constexpr std::size_t kTanapaWidth = 16;
inline constexpr Address kCodeplugVersion = 0x013A; // five characters
inline constexpr std::size_t kCodeplugVersionWidth = 5;
inline constexpr Address kChecksum = 0x015F;
} // namespace general_offset

// Typed view over the General block, the pager's identity. The pager owns it: the
// program only stores the fixed bytes the General tab puts back and, for a factory
// image, the fields and checksum a new pager leaves the factory with.
// BasicGeneralBlock<true> may write.
template <bool Writable> class BasicGeneralBlock {
    using ImageRef = std::conditional_t<Writable, CodeplugImage&, const CodeplugImage&>;

public:
    explicit BasicGeneralBlock(ImageRef image) : image_(image) {}

    std::uint8_t lengthByte() const { return image_.at(general_offset::kLength); }
    std::uint8_t bandCode() const { return image_.at(general_offset::kBandCode); }
    std::uint8_t regionCode() const { return image_.at(general_offset::kRegion) & 0x03; }
    std::uint32_t intermediateFrequencyHz() const {
        return image_.u32be(general_offset::kIntermediateFrequency);
    }
    std::uint8_t channelCount() const { return image_.at(general_offset::kChannelCount); }
    bool isSingleChannel() const { return channelCount() == 1; }
    bool tcxo134() const { return (image_.at(general_offset::kTcxo) & 0x01) != 0; }
    std::uint8_t checksum() const { return image_.at(general_offset::kChecksum); }

    // The identity texts end early at the first 0xFF (or 0x00).
    std::string serialNumber() const {
        return image_.text(general_offset::kSerialNumber, general_offset::kSerialNumberWidth);
    }
    std::string modelNumber() const {
        return image_.text(general_offset::kModelNumber, general_offset::kModelNumberWidth);
    }
    std::string tanapa() const {
        return image_.text(general_offset::kTanapa, general_offset::kTanapaWidth);
    }
    std::array<char, 5> codeplugVersionChars() const {
        std::array<char, 5> c{};
        for (std::size_t i = 0; i < c.size(); ++i)
            c[i] = static_cast<char>(
                image_.at(general_offset::kCodeplugVersion + static_cast<Address>(i)));
        return c;
    }
    std::string codeplugVersionText() const { return versionText(codeplugVersionChars()); }

    // The length byte, the cleared byte after it and the 45.1 MHz intermediate
    // frequency, as every opening of the General tab stores them.
    void setFixedBytes() requires Writable {
        image_.set(general_offset::kLength, layout::kGeneralLength);
        image_.set(general_offset::kClearedOnOpen, 0x00);
        for (Address i = 0; i < 4; ++i)
            image_.set(general_offset::kIntermediateFrequency + i,
                       static_cast<std::uint8_t>(kIntermediateFrequencyHz >> (24 - 8 * i)));
    }
    void setBandCode(std::uint8_t v) requires Writable { image_.set(general_offset::kBandCode, v); }
    void setRegionCode(std::uint8_t v) requires Writable {
        const auto keep = static_cast<std::uint8_t>(image_.at(general_offset::kRegion) & ~0x03);
        image_.set(general_offset::kRegion, static_cast<std::uint8_t>(keep | (v & 0x03)));
    }
    void setChannelCount(std::uint8_t v) requires Writable {
        image_.set(general_offset::kChannelCount, v);
    }
    void setTcxo134(bool on) requires Writable {
        const auto keep = static_cast<std::uint8_t>(image_.at(general_offset::kTcxo) & ~0x01);
        image_.set(general_offset::kTcxo, static_cast<std::uint8_t>(keep | (on ? 1 : 0)));
    }
    // Each text is padded with 0xFF after its last character.
    void setSerialNumber(const std::string& s) requires Writable {
        setText(general_offset::kSerialNumber, general_offset::kSerialNumberWidth, s, 0xFF);
    }
    void setModelNumber(const std::string& s) requires Writable {
        setText(general_offset::kModelNumber, general_offset::kModelNumberWidth, s, 0xFF);
    }
    void setTanapa(const std::string& s) requires Writable {
        setText(general_offset::kTanapa, general_offset::kTanapaWidth, s, 0xFF);
    }
    // Five characters, padded with spaces.
    void setCodeplugVersion(const std::string& s) requires Writable {
        setText(general_offset::kCodeplugVersion, general_offset::kCodeplugVersionWidth, s, ' ');
    }
    // The sum of the length byte and the data bytes, as a new pager carries it; the
    // program never recomputes it for an image that came from a pager or a file.
    void storeFactoryChecksum() requires Writable {
        image_.set(general_offset::kChecksum,
                   image_.sum(general_offset::kLength, layout::kGeneralLength + 1u));
    }

private:
    void setText(Address a, std::size_t width, const std::string& s,
                 std::uint8_t pad) requires Writable {
        for (std::size_t i = 0; i < width; ++i)
            image_.set(a + static_cast<Address>(i),
                       i < s.size() ? static_cast<std::uint8_t>(s[i]) : pad);
    }

    ImageRef image_;
};

using GeneralBlock = BasicGeneralBlock<false>;
using EditableGeneralBlock = BasicGeneralBlock<true>;

// Intermediate frequency shown in MHz with six decimals ("45.100000").
std::string formatIntermediateFrequency(std::uint32_t hz);

// "Single Channel" / "Five Channel" as the General tab shows the channel count.
std::string channelCountText(std::uint8_t count);

// Shows five version characters as c0 c1 c2 "." c3 c4, or empty when all are empty.
std::string formatVersion(const std::array<std::string, 5>& chars);

} // namespace quorl
