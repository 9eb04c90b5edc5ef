#include "editors/function_switch_tab.h"

#include "codeplug/default_codeplug.h"
#include "tests/support/test_files.h"

#include <array>
#include <gtest/gtest.h>
#include <memory>

namespace quorl {
namespace {

constexpr std::uint32_t entry(int k) {
    return 0x0282 + 6 * static_cast<std::uint32_t>(k);
}

class FunctionSwitchTest : public ::testing::Test {
protected:
    void SetUp() override { state->loadBoth(test::validImage()); }
    void load(const CodeplugImage& image) {
        state->loadBoth(image);
        tab.open(true);
    }
    void setEntry(int k, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
        for (CodeplugImage* img : {&state->image, &state->editImage}) {
            img->set(entry(k), b0);
            img->set(entry(k) + 1, b1);
            img->set(entry(k) + 2, b2);
            img->set(entry(k) + 3, b3);
        }
    }
    std::unique_ptr<CodeplugState> state = std::make_unique<CodeplugState>();
    AuditionState auditions;
    FunctionSwitchTab tab{*state, auditions};
};

TEST_F(FunctionSwitchTest, SingleChannelPagerOffersThreeModesAndNoScanLists) {
    auto img = makeDefaultCodeplug(uhfSingleChannelFactory());
    img.set(entry(2), 12); // Silent Scan stored on a single-channel pager
    load(img);
    for (int k = 0; k < kSwitchCount; ++k) {
        EXPECT_EQ(tab.row(k).modeItems,
                  (std::vector<std::string>{"Selective Call F1", "Monitor F1", "Disabled"}));
        EXPECT_FALSE(tab.row(k).scanVisible);
    }
    EXPECT_EQ(tab.row(2).modeSelected, -1);
    tab.modeChanged(1, 2);
    EXPECT_EQ(state->editImage.at(entry(1)) & 0x0F, 13);
    EXPECT_FALSE(tab.row(1).playEnabled);
}

TEST_F(FunctionSwitchTest, OutOfRangeCodesAreRepairedInBothImages) {
    setEntry(0, 0xBF, 7, 9, 0x30); // mode 15, alert 3, bit 7; scans 7, 9; announcement 3
    setEntry(1, 0x20, 1, 2, 0x00); // alert code 2 is not used
    setEntry(2, 0x01, 1, 2, 0x02); // Push To Listen with alert Tone
    tab.open(true);
    EXPECT_EQ(tab.row(0).modeSelected, 0);
    for (const CodeplugImage* img : {&state->image, &state->editImage}) {
        EXPECT_EQ(img->at(entry(0)), 0x30) << "mode 0, alert bits kept, bit 7 cleared";
        EXPECT_EQ(img->at(entry(0) + 1), 1);
        EXPECT_EQ(img->at(entry(0) + 2), 2);
        EXPECT_EQ(img->at(entry(0) + 3), 0x00);
        EXPECT_EQ(img->at(entry(1)), 0x00);
        EXPECT_EQ(img->at(entry(2)), 0x11);
    }
    EXPECT_EQ(tab.row(0).announcementSelected, -1);
    EXPECT_EQ(tab.row(2).alertItems, std::vector<std::string>{"Vibrate"});
    EXPECT_EQ(state->image.at(0x0280), 0x3E);
}

TEST_F(FunctionSwitchTest, PushToListenOnASelectiveCallStoresVibrate) {
    setEntry(3, 0x02, 1, 2, 0x00); // Selective Call F3, Tone
    tab.open(true);
    tab.pushToListenClicked(3, true);
    EXPECT_EQ(state->editImage.at(entry(3)), 0x12);
    EXPECT_EQ(state->editImage.at(entry(3) + 3), 0x02);
    tab.pushToListenClicked(3, false);
    EXPECT_EQ(tab.row(3).alertItems.size(), 3u);
    EXPECT_EQ(tab.row(3).alertSelected, 1);
    EXPECT_TRUE(state->modified);
}

TEST_F(FunctionSwitchTest, ScanChannelChoicesFollowTheFirst) {
    setEntry(4, 10, 1, 2, 0x00); // Probability Scan
    tab.open(true);
    EXPECT_TRUE(tab.row(4).scanVisible);
    tab.scan1Changed(4, 4); // F5
    EXPECT_EQ(state->editImage.at(entry(4) + 1), 5);
    EXPECT_EQ(state->editImage.at(entry(4) + 2), 1);
    EXPECT_EQ(tab.row(4).scan2Items, (std::vector<std::string>{"F1", "F2", "F3", "F4"}));
    EXPECT_EQ(tab.row(4).scan2Selected, 0);
    tab.scan1Changed(4, 1); // F2
    EXPECT_EQ(state->editImage.at(entry(4) + 2), 3);
    EXPECT_EQ(tab.row(4).scan2Items[static_cast<std::size_t>(tab.row(4).scan2Selected)], "F3");
    tab.scan2Changed(4, 3); // "F5" in a list without F2
    EXPECT_EQ(state->editImage.at(entry(4) + 2), 5);
}

TEST_F(FunctionSwitchTest, ModeChangesClearTheirBits) {
    setEntry(5, 12, 1, 2, 0x07); // Silent Scan, duty + PTL + bit 2
    tab.open(true);
    tab.modeChanged(5, 6); // Monitor F2
    EXPECT_EQ(state->editImage.at(entry(5) + 3), 0x04);
    EXPECT_FALSE(tab.row(5).dutyChecked);
    EXPECT_FALSE(tab.row(5).pushToListenChecked);
    EXPECT_FALSE(tab.row(5).dutyEnabled);
    tab.modeChanged(5, 11);
    EXPECT_EQ(tab.row(5).priorityLabel, "Priority");
    EXPECT_TRUE(tab.row(5).scanVisible);
    tab.modeChanged(5, 0);
    EXPECT_EQ(state->editImage.at(entry(5) + 3), 0x00) << "selective call clears bit 2";
    EXPECT_EQ(tab.row(5).priorityLabel, "");
    tab.modeChanged(5, 13);
    EXPECT_FALSE(tab.row(5).alertEnabled);
    EXPECT_FALSE(tab.row(5).announcementEnabled);
}

TEST_F(FunctionSwitchTest, EnhancedAuditionAddsEachOptionAndItsSecond) {
    setEntry(6, 0x35, 1, 2, 0x00);      // Monitor F1, Tone & Vibrate
    state->editImage.set(0x0216, 0x01); // Male
    tab.open(true);
    tab.announcementChanged(6, 1); // Enhanced
    // The audition reads the edit image as it stands, duty and Push To Listen bits included.
    state->editImage.set(entry(6) + 3,
                         static_cast<std::uint8_t>(state->editImage.at(entry(6) + 3) | 0x03));
    const auto req = tab.playPager(6);
    ASSERT_TRUE(req);
    EXPECT_EQ(req->command, 0xB6);
    EXPECT_EQ(req->parameters, (std::vector<std::uint8_t>{5, 1, 2, 3, 0x80 | 0x04 | 0x40 | 0x20}));
    EXPECT_EQ(req->durationMs, 2500 + 1000 + 1000 + 1000);
    for (int k = 0; k < kSwitchCount; ++k)
        EXPECT_FALSE(tab.row(k).playEnabled);
}

TEST_F(FunctionSwitchTest, StandardAndCustomAuditions) {
    setEntry(0, 0x00, 1, 2, 0x20); // Selective Call F1, Standard
    setEntry(7, 0x0B, 3, 4, 0x10); // Priority Scan, custom
    tab.open(true);
    auto standard = tab.playPager(0);
    ASSERT_TRUE(standard);
    EXPECT_EQ(standard->parameters, (std::vector<std::uint8_t>{0, 1, 2, 0, 0x00}));
    EXPECT_EQ(standard->durationMs, 3000);
    auto custom = tab.playPager(7);
    ASSERT_TRUE(custom);
    EXPECT_EQ(custom->command, 0xB0);
    EXPECT_EQ(custom->parameters, std::vector<std::uint8_t>{12});
    EXPECT_EQ(custom->durationMs, 4000);

    auditions.started(4000);
    EXPECT_FALSE(tab.playPager(0)) << "no audition while one runs";
    tab.modeChanged(3, 13);
    tab.auditionFinished();
    EXPECT_TRUE(tab.row(0).playEnabled);
    EXPECT_FALSE(tab.row(3).playEnabled) << "Disabled rows stay off";
}

TEST_F(FunctionSwitchTest, NoCradleKeepsPlayButtonsOff) {
    state->loadBoth(test::validImage());
    tab.open(false);
    for (int k = 0; k < kSwitchCount; ++k)
        EXPECT_FALSE(tab.row(k).playEnabled);
}

} // namespace
} // namespace quorl

namespace quorl {
namespace {

TEST_F(FunctionSwitchTest, FillingAModeWithoutListenGivesTheAlertListBackAsAModeChangeDoes) {
    // Push To Listen stored on modes that cannot have it: the row shows what a mode
    // change to that mode shows, all three alert types with "Vibrate" chosen.
    setEntry(0, 0x15, 1, 2, 0x23); // Monitor F1, Vibrate, Duty and Push To Listen
    setEntry(1, 0x1A, 1, 2, 0x22); // Probability Scan
    setEntry(2, 0x1B, 1, 2, 0x22); // Priority Scan
    setEntry(3, 0x12, 1, 2, 0x22); // Selective Call F3 keeps "Vibrate" alone
    tab.open(true);
    const std::vector<std::string> all{"Tone", "Vibrate", "Tone & Vibrate"};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(tab.row(k).alertItems, all) << k;
        EXPECT_EQ(tab.row(k).alertSelected, 1) << k;
        EXPECT_FALSE(tab.row(k).pushToListenChecked) << k;
        EXPECT_FALSE(tab.row(k).dutyChecked) << k;
    }
    EXPECT_EQ(tab.row(3).alertItems, std::vector<std::string>{"Vibrate"});
    EXPECT_TRUE(tab.row(3).pushToListenChecked);

    // The filled row and a fresh mode change to the same mode look alike.
    const SwitchRow filled = tab.row(0);
    tab.modeChanged(4, 0); // Selective Call F1 ...
    tab.pushToListenClicked(4, true);
    tab.modeChanged(4, 5); // ... then Monitor F1
    EXPECT_EQ(tab.row(4).alertItems, filled.alertItems);
    EXPECT_EQ(tab.row(4).alertSelected, filled.alertSelected);
    // Filling changes nothing in the image besides the repairs.
    EXPECT_EQ(state->editImage.at(entry(0) + 3), 0x23);
}

} // namespace
} // namespace quorl

namespace quorl {
namespace {

// "Fill SW-x from": each case's bytes worked out from the entry layout (mode byte:
// bit 7 kept, alert << 4 | mode; scans; option byte: bits 6-7 kept, announcement
// << 4 | bit 2 | Push To Listen << 1 | duty).
TEST_F(FunctionSwitchTest, FillCopiesTheRowsSettingsAndKeepsTheSwitchsOwnBits) {
    struct Case {
        const char* what;
        bool singleChannel;
        int target, source;
        std::array<std::uint8_t, 4> from; // source bytes +0..+3
        std::array<std::uint8_t, 4> want; // target bytes +0..+3 after the fill
    };
    const Case cases[] = {
        {"Priority Scan F2/F3, Tone & Vibrate, Enhanced",
         false,
         4,
         1,
         {0x3B, 2, 3, 0x44},
         {0xBB, 2, 3, 0xC4}},
        {"Silent Scan F4/F5, Push To Listen and duty, custom",
         false,
         4,
         2,
         {0x9C, 4, 5, 0x13},
         {0x9C, 4, 5, 0xD3}},
        {"Disabled", false, 4, 7, {0x0D, 1, 2, 0x20}, {0x8D, 1, 2, 0xE0}},
        {"single channel: Monitor F1, Tone & Vibrate",
         true,
         0,
         1,
         {0x35, 1, 2, 0x20},
         {0xB5, 1, 2, 0xE0}},
    };
    for (const Case& c : cases) {
        CodeplugImage img =
            c.singleChannel ? makeDefaultCodeplug(uhfSingleChannelFactory()) : test::validImage();
        const std::array<std::uint8_t, 6> target{0x80, 1, 2, 0xE0, 0x5A, 0xA5};
        for (std::uint32_t i = 0; i < 6; ++i) {
            img.set(entry(c.target) + i, target[i]);
            if (i < 4)
                img.set(entry(c.source) + i, c.from[i]);
        }
        load(img);
        state->modified = false;
        ASSERT_TRUE(tab.fillFrom(c.target, c.source)) << c.what;
        for (std::uint32_t i = 0; i < 4; ++i)
            EXPECT_EQ(state->editImage.at(entry(c.target) + i), c.want[i]) << c.what << " +" << i;
        EXPECT_EQ(state->editImage.at(entry(c.target) + 4), 0x5A) << c.what;
        EXPECT_EQ(state->editImage.at(entry(c.target) + 5), 0xA5) << c.what;
        EXPECT_EQ(state->image.at(entry(c.target)), 0x80) << c.what << ": committed untouched";
        EXPECT_TRUE(state->modified) << c.what;
        // The row shows what a window opened on the filled bytes shows.
        auto reopened = std::make_unique<CodeplugState>();
        reopened->loadBoth(state->editImage);
        AuditionState otherAuditions;
        FunctionSwitchTab fresh(*reopened, otherAuditions);
        fresh.open(true);
        EXPECT_TRUE(tab.row(c.target) == fresh.row(c.target)) << c.what;
    }
    // Hand-checked views of two of the rows: the last case and the custom announcement.
    EXPECT_EQ(tab.row(0).modeSelected, 1);
    EXPECT_FALSE(tab.row(0).scanVisible);
    load(test::validImage());
    setEntry(2, 0x1C, 4, 5, 0x13);
    tab.open(true);
    ASSERT_TRUE(tab.fillFrom(6, 2));
    const SwitchRow& g = tab.row(6);
    EXPECT_EQ(g.announcementItems[static_cast<std::size_t>(g.announcementSelected)],
              "Custom SW- G");
    EXPECT_EQ(g.alertItems, std::vector<std::string>{"Vibrate"});
    EXPECT_TRUE(g.pushToListenChecked && g.dutyChecked && g.scanVisible);
    EXPECT_EQ(g.scan1Selected, 3);
}

TEST_F(FunctionSwitchTest, FillFromARowThatDiffersOnlyInItsOwnBitsChangesNothing) {
    setEntry(1, 0x8B, 2, 3, 0xC4);
    setEntry(3, 0x0B, 2, 3, 0x04); // the same settings, without bit 7 and bits 6-7
    tab.open(true);
    state->modified = false;
    const CodeplugImage before = state->editImage;
    EXPECT_FALSE(tab.fillFrom(3, 1));
    EXPECT_FALSE(tab.fillFrom(3, 3));
    EXPECT_TRUE(state->editImage == before);
    EXPECT_FALSE(state->modified);
}

} // namespace
} // namespace quorl
