#include "codeplug/image_check.h"

#include "codeplug/channel_block.h"
#include "codeplug/checksums.h"
#include "codeplug/default_codeplug.h"
#include "codeplug/frequency_encoding.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

bool check(const CodeplugImage& img) {
    BandLimits limits;
    return checkImage(img, limits);
}

TEST(ImageCheck, EachLengthByteMatters) {
    for (Address a : {0x0100u, 0x0200u, 0x0280u, 0x0300u}) {
        auto img = test::validImage();
        img.set(a, static_cast<std::uint8_t>(img.at(a) + 1));
        EXPECT_FALSE(check(img)) << std::hex << a;
    }
}

TEST(ImageCheck, OnlyTheCountedChannelsAreChecked) {
    auto img = test::validImage();
    ChannelBlock(img, 4).setFrequencyWord(0, 0, 0);
    EXPECT_FALSE(check(img));
    img.set(0x010D, 4);
    EXPECT_TRUE(check(img));
    // A count of zero checks none.
    img.set(0x010D, 0);
    ChannelBlock(img, 0).setFrequencyWord(0, 0, 0);
    ChannelBlock(img, 1).setCallTone(1, 1, {1, 0, 0});
    EXPECT_TRUE(check(img));
}

TEST(ImageCheck, ZeroSynthesizerWordFails) {
    auto img = test::validImage();
    ChannelBlock(img, 2).setFrequencyWord(0, 10, 2);
    EXPECT_FALSE(check(img));
}

TEST(ImageCheck, BandCodeZeroIsVhfWithOneMegahertzSlack) {
    auto img = test::validImage();
    img.set(0x0102, 0);
    img.set(0x010D, 1);
    BandLimits limits;
    auto setRx = [&](std::int64_t hz) {
        const auto s = encodeReceiveFrequency(hz, 0);
        ASSERT_TRUE(s.has_value());
        ChannelBlock(img, 0).setFrequencyWord(s->word, s->fraction, s->stepCode);
    };
    setRx(142'000'000); // 143 - 1, bound included
    EXPECT_TRUE(checkImage(img, limits));
    EXPECT_EQ(limits.lowMHz, 143);
    EXPECT_EQ(limits.highMHz, 174);
    setRx(175'000'000);
    EXPECT_TRUE(checkImage(img, limits));
    setRx(141'997'500);
    EXPECT_FALSE(checkImage(img, limits));
    setRx(175'002'500);
    EXPECT_FALSE(checkImage(img, limits));
}

TEST(ImageCheck, UhfSplitsUseLowSideInjection) {
    auto img = makeDefaultCodeplug(uhfSingleChannelFactory()); // code 3, 450-486
    BandLimits limits;
    EXPECT_TRUE(checkImage(img, limits));
    EXPECT_EQ(limits.lowMHz, 450);
    img.set(0x0102, 2); // 406-430: 460.025 MHz is out of band
    EXPECT_FALSE(checkImage(img, limits));
    img.set(0x0102, 4); // 476-512
    EXPECT_FALSE(checkImage(img, limits));
}

TEST(ImageCheck, UnknownBandCodeKeepsThePreviousLimits) {
    auto uhf = makeDefaultCodeplug(uhfSingleChannelFactory());
    uhf.set(0x0102, 9);
    BandLimits fresh;
    EXPECT_FALSE(checkImage(uhf, fresh)) << "no band seen yet: limits are 0..0";

    BandLimits limits;
    ASSERT_TRUE(checkImage(makeDefaultCodeplug(uhfSingleChannelFactory()), limits));
    // Code 9 with a UHF channel: low-side injection, UHF limits still in force.
    EXPECT_TRUE(checkImage(uhf, limits));
    EXPECT_EQ(limits.lowMHz, 450);
}

TEST(ImageCheck, ToneLimits) {
    for (auto [tone, ok] : {std::pair{2799, false},
                            {2800, true},
                            {34000, true},
                            {34001, false},
                            {0, true},
                            {1, false}}) {
        auto img = test::validImage();
        ChannelBlock(img, 3).setCallTone(10, 2, {static_cast<std::uint16_t>(tone), 0, 0});
        EXPECT_EQ(check(img), ok) << "call tone " << tone;
        img = test::validImage();
        ChannelBlock(img, 1).setGroupTone(5, {static_cast<std::uint16_t>(tone), 0, 0});
        EXPECT_EQ(check(img), ok) << "group tone " << tone;
    }
}

TEST(ImageCheck, IntermediateFrequencyFieldIsIgnored) {
    auto img = test::validImage();
    img.set(0x0104, 0);
    img.set(0x0107, 0);
    img.set(0x010E, 1);
    EXPECT_TRUE(check(img));
}

TEST(ImageCheck, ChannelCountPastTheImageFailsWithoutReadingOutside) {
    auto img = test::validImage();
    for (int ch = 5; ch < 97; ++ch) // fill blocks past F5 with valid-looking channels
        img.copyWithin(0x0300, static_cast<Address>(0x0300 + 160 * ch), 160);
    img.set(0x010D, 97); // the last block, 96, ends at 0x3F9F
    EXPECT_TRUE(check(img));
    img.set(0x010D, 98); // block 97 would end at 0x403F
    EXPECT_FALSE(check(img));
    img.set(0x010D, 255);
    EXPECT_FALSE(check(img));
}

// The sums themselves are checked against hand-worked bytes in reference_images_test.
TEST(Checksums, UpdateLeavesTheGeneralChecksumAndMirrorsModelOptions) {
    auto img = test::validImage();
    img.set(0x015F, 0x12);
    img.set(0x0210, 0x33);
    updateChecksums(img);
    EXPECT_EQ(img.at(0x015F), 0x12);
    EXPECT_EQ(img.at(0x3D5F), img.at(0x025F));
}

TEST(Checksums, MirrorsCopyTheirRanges) {
    auto img = test::validImage();
    img.set(0x027E, 0x5A);
    img.set(0x0150, 0xA5);
    refreshModelOptionsMirror(img);
    EXPECT_EQ(img.at(0x3D7E), 0x5A);
    EXPECT_NE(img.at(0x3C50), 0xA5);
    refreshMirror(img);
    EXPECT_EQ(img.at(0x3C50), 0xA5);
    EXPECT_EQ(img.at(0x3D7F), 0x00) << "0x027F is not mirrored";
}

} // namespace
} // namespace quorl
