#include "codeplug/channel_block.h"
#include "codeplug/default_codeplug.h"
#include "editors/channel_audition.h"
#include "editors/falsing_adjustment.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

class FalsingTest : public ::testing::Test {
protected:
    void SetUp() override { state.loadBoth(makeDefaultCodeplug(vhfFiveChannelFactory())); }
    void setByte(std::uint8_t v) {
        state.image.set(kAddress, v);
        state.editImage.set(kAddress, v);
    }
    static constexpr int kChannel = 3;
    static constexpr Address kAddress = layout::channelBase(kChannel) + 8;
    CodeplugState state;
};

TEST_F(FalsingTest, OpensFromTheCommittedByte) {
    setByte(0x21);
    FalsingAdjustment f(state, kChannel);
    EXPECT_EQ(f.toneTolerance(), 2);
    EXPECT_EQ(f.interpageGap(), 1);
    // Reads the committed image, not the working copy.
    state.editImage.set(kAddress, 0x00);
    EXPECT_EQ(f.toneTolerance(), 2);
}

TEST_F(FalsingTest, SlidersClearTheUnusedBits) {
    setByte(0xCF);
    FalsingAdjustment f(state, kChannel);
    EXPECT_EQ(f.interpageGap(), 3); // beyond the slider; it shows its end
    f.setToneTolerance(0);
    EXPECT_EQ(state.editImage.at(kAddress), 0x03);
    EXPECT_TRUE(state.modified);
    f.setInterpageGap(1);
    EXPECT_EQ(state.editImage.at(kAddress), 0x01);
    f.setToneTolerance(2);
    EXPECT_EQ(state.editImage.at(kAddress), 0x21);
    EXPECT_EQ(state.image.at(kAddress), 0xCF);
}

TEST_F(FalsingTest, CancelRestoresAndOkCommitsAtOnce) {
    setByte(0x11);
    {
        FalsingAdjustment f(state, kChannel);
        f.setToneTolerance(2);
        f.cancel();
    }
    EXPECT_EQ(state.editImage.at(kAddress), 0x11);
    EXPECT_EQ(state.image.at(kAddress), 0x11);

    FalsingAdjustment f(state, kChannel);
    f.setInterpageGap(2);
    f.accept();
    EXPECT_EQ(state.image.at(kAddress), 0x12);
    // The User Data window's Cancel restores the channel area from the committed
    // image, which already holds the new byte.
    state.restoreChannelArea();
    EXPECT_EQ(state.editImage.at(kAddress), 0x12);
    // Nothing else of the committed image moved.
    auto expected = makeDefaultCodeplug(vhfFiveChannelFactory());
    expected.set(kAddress, 0x12);
    EXPECT_EQ(state.image, expected);
}

TEST(ChannelAudition, AlertIndexChoosesTheCommand) {
    auto r = channelAlertRequest(3);
    EXPECT_EQ(r.command, 0xB5);
    EXPECT_EQ(r.parameters, std::vector<std::uint8_t>{3});
    EXPECT_EQ(r.durationMs, 4000);
    r = channelAlertRequest(9);
    EXPECT_EQ(r.command, 0xB5);
    r = channelAlertRequest(10);
    EXPECT_EQ(r.command, 0xB0);
    EXPECT_EQ(r.parameters, std::vector<std::uint8_t>{0});
    r = channelAlertRequest(14);
    EXPECT_EQ(r.parameters, std::vector<std::uint8_t>{4});
}

} // namespace
} // namespace quorl
