#include "editors/user_data_window.h"

#include "codeplug/channel_block.h"
#include "codeplug/default_codeplug.h"
#include "test_files.h"

#include <gtest/gtest.h>
#include <memory>

namespace quorl {
namespace {

TEST(UserDataWindow, TabLabelsFollowTheChannelCount) {
    EXPECT_EQ(userDataTabLabels(makeDefaultCodeplug(uhfSingleChannelFactory())).size(), 4u);
    const auto five = userDataTabLabels(test::validImage());
    ASSERT_EQ(five.size(), 8u);
    EXPECT_EQ(five.front(), "General ");
    EXPECT_EQ(five.back(), "Channel F5 ");
}

TEST(UserDataWindow, FitToScreenTable) {
    EXPECT_EQ(fitUserDataWindow({900, 1100}, {1280, 1024}), (WindowSize{920, 924}));
    EXPECT_EQ(fitUserDataWindow({900, 1100}, {800, 1200}), (WindowSize{820, 1000}));
    EXPECT_EQ(fitUserDataWindow({900, 850}, {1280, 800}), (WindowSize{920, 800}));
    EXPECT_EQ(fitUserDataWindow({900, 850}, {800, 1024}), (WindowSize{800, 850}));
    EXPECT_EQ(fitUserDataWindow({900, 700}, {1280, 600}), (WindowSize{880, 600}));
    EXPECT_EQ(fitUserDataWindow({900, 700}, {1280, 1024}), (WindowSize{900, 700}));
    EXPECT_EQ(userDataPageTop(950), 32);
    EXPECT_EQ(userDataPageTop(800), 27);
    EXPECT_EQ(userDataPageTop(600), 22);
}

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override { state->loadBoth(test::validImage()); }
    std::unique_ptr<CodeplugState> state = std::make_unique<CodeplugState>();
    UserDataSession session{*state};
};

TEST_F(SessionTest, CancelDropsChannelEditsButKeepsOptionEdits) {
    const auto before = state->image;
    ChannelBlock(state->editImage, 3).setSquelchLevel(4);
    state->editImage.set(0x0210, 0x03);
    session.cancel();
    EXPECT_EQ(state->image, before);
    EXPECT_EQ(ConstChannelBlock(state->editImage, 3).squelchLevel(),
              ConstChannelBlock(before, 3).squelchLevel());
    EXPECT_EQ(state->editImage.at(0x0210), 0x03);
}

TEST_F(SessionTest, OkCommitsUnlessTheCustomAudioWindowRefuses) {
    state->editImage.set(0x0211, 0x40);
    session.settleCustomAudioOnOk = [] { return false; };
    EXPECT_FALSE(session.ok());
    EXPECT_EQ(state->image.at(0x0211), 0x40) << "the commit happens first";
    session.settleCustomAudioOnOk = [] { return true; };
    EXPECT_TRUE(session.ok());
}

TEST_F(SessionTest, TitleBarCloseCommitsThenRestoresNothing) {
    ChannelBlock(state->editImage, 0).setSquelchLevel(4);
    int discarded = 0;
    session.discardCustomAudio = [&] { ++discarded; };
    EXPECT_TRUE(session.closeByTitleBar());
    EXPECT_EQ(ConstChannelBlock(state->image, 0).squelchLevel(), 4);
    EXPECT_EQ(ConstChannelBlock(state->editImage, 0).squelchLevel(), 4);
    EXPECT_EQ(discarded, 1);
    session.settleCustomAudioOnClose = [] { return false; };
    EXPECT_FALSE(session.closeByTitleBar());
}

} // namespace
} // namespace quorl
