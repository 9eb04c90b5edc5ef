#include "codeplug/channel_block.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/frequency_encoding.h"
#include "codeplug/general_block.h"
#include "codeplug/tone_encoding.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace quorl {
namespace {

TEST(ToneEncoding, DerivedBytesMatchThePagerTables) {
    struct Case {
        std::uint16_t t;
        int cycles;
        int preset;
    };
    for (auto c :
         {Case{10000, 33, 7}, Case{2800, 9, 32}, Case{34000, 112, 9}, Case{24682, 82, 0}}) {
        const auto s = encodeTone(c.t);
        EXPECT_EQ(s.tenthsHz, c.t);
        EXPECT_EQ(s.cycleCount, c.cycles) << c.t;
        EXPECT_EQ(s.periodPreset, c.preset) << c.t;
    }
    EXPECT_EQ(encodeTone(0), (StoredTone{0, 0, 0}));
    EXPECT_EQ(formatTone(10000), "1000.0");
    EXPECT_EQ(formatTone(3490), "349.0");
}

// Above band code 1 the reference images and the band code table give the examples.
TEST(FrequencyEncoding, ExamplesOfTheChannelTab) {
    auto vhf = encodeReceiveFrequency(155'000'000, 0);
    ASSERT_TRUE(vhf);
    EXPECT_EQ(vhf->stepCode, 2); // 6,250 does not divide 200.1 MHz, 5,000 does
    EXPECT_EQ(vhf->word, 312);
    EXPECT_EQ(vhf->fraction, 84);

    auto fine = encodeReceiveFrequency(155'012'500, 1);
    ASSERT_TRUE(fine);
    EXPECT_EQ(fine->stepCode, 0);
    EXPECT_EQ(fine->word, 625);
    EXPECT_EQ(fine->fraction, 45);

    EXPECT_EQ(formatReceiveFrequency(312, 84, 2, 0), "155.000000");
    EXPECT_EQ(formatReceiveFrequency(0, 84, 2, 0), "");
    EXPECT_FALSE(encodeReceiveFrequency(155'000'001, 0));
}

TEST(CodeplugImage, RangesOutsideTheImageThrow) {
    CodeplugImage img;
    EXPECT_THROW(img.at(0x4000), std::out_of_range);
    EXPECT_THROW(img.u16le(0x3FFF), std::out_of_range);
    EXPECT_THROW(img.copyWithin(0x3F00, 0x3FF0, 0x20), std::out_of_range);
    EXPECT_NO_THROW(img.setU16le(0x3FFE, 0xBEEF));
    EXPECT_EQ(img.at(0x3FFE), 0xEF);
    EXPECT_EQ(img.at(0x3FFF), 0xBE);
}

TEST(GeneralBlock, IdentityFieldsEndAtTheFirstFF) {
    const auto img = test::validImage();
    const GeneralBlock g(img);
    EXPECT_EQ(g.serialNumber(), "7TV0000001");
    EXPECT_EQ(g.modelNumber(), "TV6VHF5CH001");
    EXPECT_EQ(g.modelNumber().size(), 12u);
    EXPECT_EQ(g.tanapa(), "TVA6001A");
    EXPECT_EQ(g.codeplugVersionText(), "R01.07");
    EXPECT_EQ(g.intermediateFrequencyHz(), 45'100'000u);
    EXPECT_EQ(formatIntermediateFrequency(g.intermediateFrequencyHz()), "45.100000");
    EXPECT_EQ(channelCountText(1), "Single Channel");
    EXPECT_EQ(channelCountText(5), "Five Channel");
    EXPECT_EQ(channelCountText(0), "Five Channel");
    EXPECT_EQ(formatVersion({"V", "0", "2", "1", "3"}), "V02.13");
    EXPECT_EQ(formatVersion({}), "");
}

TEST(ChannelBlock, WritersKeepTheBitsTheyDoNotOwn) {
    CodeplugImage img;
    ChannelBlock ch(img, 1);
    img.set(ch.base() + 5, 0xEC);
    img.set(ch.base() + 9, 0x88);
    ch.setFrequencyWord(0x1234, 0x56, 3);
    EXPECT_EQ(img.at(ch.base() + 5), 0xEF);
    ch.setWideBandwidth(false);
    EXPECT_EQ(img.at(ch.base() + 5), 0xEF & ~0x10);
    ch.setToneSystemAndReset(4, 7);
    EXPECT_EQ(img.at(ch.base() + 9), 0x88 | 0x04 | 0x70);
    EXPECT_EQ(ch.toneSystem(), 4);
    EXPECT_EQ(ch.resetFunction(), 7);
    ch.setCallTone(10, 2, {0x1027, 33, 7});
    EXPECT_EQ(img.u16le(ch.base() + 0x10 + 90 + 2), 0x1027);
    EXPECT_EQ(img.at(ch.base() + 0x10 + 90 + 6), 33);
    EXPECT_EQ(img.at(ch.base() + 0x10 + 90 + 7), 7);
    ch.setGroupTone(5, {2800, 9, 32});
    EXPECT_EQ(ConstChannelBlock(img, 1).groupTone(5), (StoredTone{2800, 9, 32}));
    EXPECT_EQ(ch.base() + 0x74 + 24, 0x03A0u + 0x8C);
}

} // namespace
} // namespace quorl
