// The reference codeplugs in tests/data/reference were checked by hand against the
// memory layout (check_by_layout.py there repeats that check without our code), so
// the bytes written here come from the layout, not from the code under test.
#include "codeplug/channel_block.h"
#include "codeplug/checksums.h"
#include "codeplug/default_codeplug.h"
#include "codeplug/frequency_encoding.h"
#include "codeplug/general_block.h"
#include "codeplug/image_check.h"
#include "codeplug/ppg_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quorl {
namespace {

CodeplugImage reference(const std::string& name) {
    const auto r =
        readPpgFile(std::string(QUORL_TEST_SOURCE_DIR) + "/tests/data/reference/" + name);
    if (r.status != PpgReadStatus::Ok)
        throw std::runtime_error(name + ": " + r.problem);
    return r.image;
}

struct Reference {
    const char* file;
    std::uint8_t bandCode;
    BandRange band;
    std::vector<std::pair<Address, std::uint8_t>> checksums; // General's first
    std::vector<const char*> receiveMHz;
};

const std::vector<Reference>& references() {
    static const std::vector<Reference> all = {
        {"vhf_band1_five_channel.ppg",
         1,
         {143, 174},
         {{0x015F, 0x6B},
          {0x025F, 0x05},
          {0x02BF, 0x7D},
          {0x039F, 0x38},
          {0x043F, 0x75},
          {0x04DF, 0x3D},
          {0x057F, 0x9E},
          {0x061F, 0x00}},
         {"154.430000", "154.190000", "155.010000", "153.830000", "159.975000"}},
        {"uhf_band2_five_channel.ppg",
         2,
         {406, 430},
         {{0x015F, 0x74},
          {0x025F, 0x05},
          {0x02BF, 0x7D},
          {0x039F, 0x9E},
          {0x043F, 0x33},
          {0x04DF, 0x84},
          {0x057F, 0xEF},
          {0x061F, 0xBC}},
         {"415.000000", "420.012500", "406.006250", "429.993750", "418.500000"}},
        {"uhf_band3_single_channel.ppg",
         3,
         {450, 486},
         {{0x015F, 0x66},
          {0x025F, 0x05},
          {0x02BF, 0xA9},
          {0x039F, 0xFB},
          {0x043F, 0x9E},
          {0x04DF, 0x9E},
          {0x057F, 0x9E},
          {0x061F, 0x9E}},
         {"460.025000"}},
    };
    return all;
}

TEST(ReferenceImages, SavingRestoresTheChecksumsAndMirrorWorkedOutByHand) {
    for (const auto& ref : references()) {
        auto original = reference(ref.file);
        // 0x027E is carried, not checked: the last byte the mirror takes (at 0x3D7E).
        original.set(0x027E, 0x5A);
        original.set(0x3D7E, 0x5A);
        auto img = original;
        for (const auto& [address, expected] : ref.checksums) {
            ASSERT_EQ(img.at(address), expected) << ref.file << " " << std::hex << address;
            img.set(address, 0);
        }
        img.set(0x015F, original.at(0x015F)); // the pager's own, never recomputed
        img.set(0x3D5F, 0);
        for (Address a = 0x3C00; a <= 0x3D7E; ++a)
            img.set(a, 0);
        EXPECT_EQ(preparedForFile(img), original) << ref.file;
    }
}

TEST(ReferenceImages, FactoryChecksumOfTheGeneralBlockCoversItsLastDataByte) {
    auto img = reference("vhf_band1_five_channel.ppg");
    img.set(0x015E, 0x21);
    EditableGeneralBlock(img).storeFactoryChecksum();
    EXPECT_EQ(img.at(0x015F), 0x6B + 0x21);
}

TEST(ReferenceImages, FactoryCodeplugsAreTheReferencesByteForByte) {
    EXPECT_EQ(makeDefaultCodeplug(vhfFiveChannelFactory()),
              reference("vhf_band1_five_channel.ppg"));
    EXPECT_EQ(makeDefaultCodeplug(uhfSingleChannelFactory()),
              reference("uhf_band3_single_channel.ppg"));
}

TEST(ReferenceImages, PassTheCheckAndShowTheirFrequencies) {
    for (const auto& ref : references()) {
        const auto img = reference(ref.file);
        BandLimits limits;
        EXPECT_TRUE(checkImage(img, limits)) << ref.file;
        EXPECT_EQ(limits.lowMHz, ref.band.lowMHz) << ref.file;
        EXPECT_EQ(limits.highMHz, ref.band.highMHz) << ref.file;
        const std::uint8_t band = GeneralBlock(img).bandCode();
        EXPECT_EQ(band, ref.bandCode);
        for (std::size_t ch = 0; ch < ref.receiveMHz.size(); ++ch) {
            const ConstChannelBlock block(img, static_cast<int>(ch));
            EXPECT_EQ(
                formatReceiveFrequency(block.synthWord(), block.fraction(), block.stepCode(), band),
                ref.receiveMHz[ch])
                << ref.file << " F" << ch + 1;
        }
    }
}

// W, F and step code worked out by hand: L = f + 45.1 MHz below band code 2, else
// f - 45.1 MHz; k = L / step; W = k div 128, F = k mod 128.
struct BandCase {
    std::uint8_t code;
    std::int64_t hz;
    std::uint16_t word;
    std::uint8_t fraction;
    std::uint8_t stepCode;
    int lowMHz, highMHz;
};

TEST(BandCodes, EachCodeStoresAndChecksAnInBandFrequency) {
    const BandCase cases[] = {
        {0, 150'000'000, 304, 108, 2, 143, 174}, {1, 165'000'000, 328, 36, 2, 143, 174},
        {2, 415'000'000, 462, 48, 3, 406, 430},  {3, 470'000'000, 531, 16, 3, 450, 486},
        {4, 500'000'000, 568, 80, 3, 476, 512},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("band code " + std::to_string(c.code));
        const auto s = encodeReceiveFrequency(c.hz, c.code);
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(s->word, c.word);
        EXPECT_EQ(s->fraction, c.fraction);
        EXPECT_EQ(s->stepCode, c.stepCode);
        EXPECT_EQ(receiveFrequencyHz(c.word, c.fraction, c.stepCode, c.code), c.hz);

        auto img = reference("uhf_band2_five_channel.ppg");
        img.set(0x0102, c.code);
        img.set(0x010D, 1);
        ChannelBlock(img, 0).setFrequencyWord(c.word, c.fraction, c.stepCode);
        BandLimits limits;
        EXPECT_TRUE(checkImage(img, limits));
        EXPECT_EQ(limits.lowMHz, c.lowMHz);
        EXPECT_EQ(limits.highMHz, c.highMHz);
    }
}

} // namespace
} // namespace quorl
