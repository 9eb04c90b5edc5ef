#include "editors/user_data_window.h"

#include "codeplug/channel_block.h"
#include "codeplug/default_codeplug.h"
#include "tests/support/test_files.h"

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

TEST_F(SessionTest, CancelDropsTheEditsOfEveryTab) {
    struct Edit {
        const char* tab;
        Address address;
        std::uint8_t value;
    };
    const Edit edits[] = {
        {"Model Options: priority scan time", 0x0212, 0x99},
        {"Model Options: voice duration", 0x0210, 0x03},
        {"Function Switches: switch A mode", 0x0282, 0x0B},
        {"Channel F4: squelch", 0x04E0 + 0x07, 0x04},
    };
    const auto before = state->image;
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.tab);
        UserDataSession window{*state};
        state->editImage.set(e.address, e.value);
        state->modified = true;
        window.cancel();
        EXPECT_EQ(state->image, before);
        // What Save As and Write would take is what the window shows on reopening.
        EXPECT_EQ(state->committedEdits(), before);
        EXPECT_FALSE(state->modified);
    }
}

TEST_F(SessionTest, CancelKeepsAFalsingLevelConfirmedWithItsOwnOk) {
    const Address falsing = 0x0300 + 0x08;
    state->editImage.set(falsing, 0x21);
    state->image.set(falsing, 0x21); // the falsing dialog's OK
    state->modified = true;
    session.cancel();
    EXPECT_EQ(state->editImage.at(falsing), 0x21);
    EXPECT_TRUE(state->modified);
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
