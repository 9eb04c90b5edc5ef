#include "editors/model_options_tab.h"

#include "editors/general_tab.h"
#include "editors/user_data_texts.h"
#include "recording_messages.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>
#include <memory>

namespace quorl {
namespace {

class ModelOptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        state->loadBoth(test::validImage());
        tab.open();
    }
    std::unique_ptr<CodeplugState> state = std::make_unique<CodeplugState>();
    test::RecordingMessages messages;
    ModelOptionsTab tab{*state, messages};
};

TEST_F(ModelOptionsTest, TypedPriorityScanRoundsAndWarnsOnceAboveHalfASecond) {
    tab.commitPriorityScanText("0.07"); // 8.75 steps of 8 ms: the nearest is 9
    EXPECT_EQ(state->editImage.at(0x0212), 9);
    EXPECT_EQ(tab.priorityScanText(), "0.072");
    EXPECT_TRUE(messages.shown.empty());

    tab.commitPriorityScanText("0.52");
    EXPECT_EQ(state->editImage.at(0x0212), 65);
    EXPECT_EQ(tab.priorityScanText(), "0.520");
    tab.commitPriorityScanText("0.6");
    ASSERT_EQ(messages.shown.size(), 1u) << "once until the next key press";
    EXPECT_EQ(messages.shown[0].text, texts::kPriorityScanSlowWarning);
    EXPECT_EQ(messages.shown[0].caption, "Priority Scan Time");
    tab.priorityScanKeyPressed();
    tab.commitPriorityScanText("0.6");
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(state->modified);
}

TEST_F(ModelOptionsTest, OutOfRangeTypedValuesKeepTheLastValidText) {
    tab.commitPriorityScanText("1");
    const auto stored = state->editImage.at(0x0212);
    for (const char* typed : {"2.05", "0.063", "", "."}) {
        messages.shown.clear();
        tab.commitPriorityScanText(typed);
        ASSERT_EQ(messages.shown.size(), 1u) << typed;
        EXPECT_EQ(messages.shown[0].text, texts::kPriorityScanRangeWarning);
        EXPECT_EQ(tab.priorityScanText(), "1.000");
        EXPECT_EQ(state->editImage.at(0x0212), stored);
    }
    tab.commitAlertDurationText("122.41");
    EXPECT_EQ(messages.shown.back().text, texts::kAlertDurationRangeWarning);
    EXPECT_EQ(messages.shown.back().caption, "Alert Duration");
}

TEST_F(ModelOptionsTest, AlertDurationStoresWholeStepsOf480Ms) {
    tab.commitAlertDurationText("1");
    EXPECT_EQ(state->editImage.at(0x0213), 2);
    EXPECT_EQ(tab.alertDurationText(), "0.96");
    tab.commitAlertDurationText("122.4");
    EXPECT_EQ(state->editImage.at(0x0213), 255);
}

TEST_F(ModelOptionsTest, SpinButtonsWrapAtBothEnds) {
    tab.commitPriorityScanText("0.064");
    tab.spinPriorityScan(false, tab.priorityScanText());
    EXPECT_EQ(tab.priorityScanText(), "2.040");
    EXPECT_EQ(state->editImage.at(0x0212), 255);
    EXPECT_EQ(messages.shown.back().text, texts::kPriorityScanSlowWarning);
    tab.spinPriorityScan(true, tab.priorityScanText());
    EXPECT_EQ(tab.priorityScanText(), "0.064");
    tab.spinPriorityScan(true, tab.priorityScanText());
    EXPECT_EQ(state->editImage.at(0x0212), 9);

    tab.commitAlertDurationText("0.48");
    tab.spinAlertDuration(false, tab.alertDurationText());
    EXPECT_EQ(tab.alertDurationText(), "122.40");
    tab.spinAlertDuration(true, tab.alertDurationText());
    EXPECT_EQ(tab.alertDurationText(), "0.48");
}

TEST_F(ModelOptionsTest, SpinFromZeroGoesToTheFarEnd) {
    state->image.set(0x0212, 0);
    state->image.set(0x0213, 0);
    tab.open();
    EXPECT_EQ(tab.priorityScanText(), "0.000");
    tab.spinPriorityScan(false, tab.priorityScanText());
    EXPECT_EQ(state->editImage.at(0x0212), 255);
    tab.spinAlertDuration(true, tab.alertDurationText());
    EXPECT_EQ(state->editImage.at(0x0213), 1);
}

TEST_F(ModelOptionsTest, UnknownStoredVoiceDurationBecomesDynamicKeepingOtherBits) {
    state->image.set(0x0210, 0xF7);
    state->editImage.set(0x0210, 0xF7);
    tab.open();
    EXPECT_EQ(tab.selection(ModelOptionList::StoredVoiceDuration), 4);
    EXPECT_EQ(state->image.at(0x0210), 0xF4);
    EXPECT_EQ(state->editImage.at(0x0210), 0xF4);
}

TEST_F(ModelOptionsTest, SwitchAnnouncementItemsMapToTheirCodes) {
    const int codeOfItem[4] = {0, 2, 3, 1};
    for (int item = 0; item < 4; ++item) {
        tab.select(ModelOptionList::SwitchAnnouncements, item);
        EXPECT_EQ((state->editImage.at(0x0210) >> 3) & 0x03, codeOfItem[item]) << item;
    }
    state->image.set(0x0210, 0x08); // code 1: "On Reset Only", the fourth item
    tab.open();
    EXPECT_EQ(tab.selection(ModelOptionList::SwitchAnnouncements), 3);
}

TEST_F(ModelOptionsTest, ListsStoreOnlyTheirBits) {
    state->editImage.set(0x0211, 0x2F);
    tab.select(ModelOptionList::AlwaysOn, 1);
    tab.select(ModelOptionList::Privacy, 1);
    EXPECT_EQ(state->editImage.at(0x0211), 0x2F | 0x80 | 0x40);
    EXPECT_TRUE(tab.alwaysOnNoteVisible());
    tab.select(ModelOptionList::AlertDurationMode, 1);
    EXPECT_TRUE(tab.alertDurationVisible());
    tab.select(ModelOptionList::AlertDurationMode, 0);
    EXPECT_FALSE(tab.alertDurationVisible());
    tab.select(ModelOptionList::AnnouncementsType, 1);
    EXPECT_EQ(state->editImage.at(0x0216) & 0x01, 1);
}

TEST_F(ModelOptionsTest, PriorityScanBoxNeedsASwitchInPriorityScan) {
    EXPECT_TRUE(tab.priorityScanEnabled()) << "the factory codeplug scans on SW-G";
    for (Address k = 0; k < 8; ++k)
        state->editImage.set(0x0282 + 6 * k, 0x30);
    tab.applyPriorityScanRule();
    EXPECT_FALSE(tab.priorityScanEnabled());
    EXPECT_TRUE(tab.noPriorityScanNoteVisible());
    state->editImage.set(0x0282 + 6 * 7, 0x3B); // SW-H: Priority Scan, alert bits set
    tab.applyPriorityScanRule();
    EXPECT_TRUE(tab.priorityScanEnabled());
}

TEST(GeneralTab, ShowsIdentityAndRestoresFixedBytes) {
    auto state = std::make_unique<CodeplugState>();
    state->loadBoth(test::validImage());
    state->image.set(0x0101, 0x77);
    state->image.set(0x0104, 0x00);
    state->image.set(0x0102, 0);
    state->firmwareVersion = {"V", "0", "2", "1", "3"};
    const auto t = openGeneralTab(*state);
    EXPECT_EQ(t.bandSplit, "") << "code 0 shows nothing";
    EXPECT_EQ(state->bandLowMHz(), 143);
    EXPECT_EQ(state->bandHighMHz(), 174);
    EXPECT_EQ(t.intermediateFrequency, "45.100000");
    EXPECT_EQ(t.tcxo, "12.800000");
    EXPECT_EQ(t.firmwareVersion, "V02.13");
    EXPECT_EQ(t.codeplugVersion, "R01.07");
    EXPECT_EQ(t.serialNumber, "7TV0000001");
    EXPECT_EQ(state->image.at(0x0101), 0x00);
    EXPECT_EQ(state->image.u32be(0x0104), 45'100'000u);

    state->image.set(0x0102, 3);
    EXPECT_EQ(openGeneralTab(*state).bandSplit, "450.000000 ~ 486.000000");
}

} // namespace
} // namespace quorl

namespace quorl {
namespace {

TEST_F(ModelOptionsTest, TextsThatAreNoPlainDecimalAreRefusedAndStoreNothing) {
    const auto scan = state->editImage.at(0x0212);
    const auto alert = state->editImage.at(0x0213);
    const std::string scanText = tab.priorityScanText();
    for (const char* typed :
         {"nan", "NaN", "inf", "1e3", "1e-1", "0x10", "-1", "+1", " 1", "1,5", "1.2.3", "1e999"}) {
        messages.shown.clear();
        tab.commitPriorityScanText(typed);
        tab.commitAlertDurationText(typed);
        ASSERT_EQ(messages.shown.size(), 2u) << typed;
        EXPECT_EQ(messages.shown[0].text, texts::kPriorityScanRangeWarning) << typed;
        EXPECT_EQ(messages.shown[1].text, texts::kAlertDurationRangeWarning) << typed;
        EXPECT_EQ(state->editImage.at(0x0212), scan) << typed;
        EXPECT_EQ(state->editImage.at(0x0213), alert) << typed;
        EXPECT_EQ(tab.priorityScanText(), scanText) << typed;
    }
    EXPECT_FALSE(ModelOptionsTab::acceptsCharacter(','));
    EXPECT_FALSE(ModelOptionsTab::acceptsCharacter('-'));
    EXPECT_TRUE(ModelOptionsTab::acceptsCharacter('.'));
}

TEST_F(ModelOptionsTest, SpinStepsFromTheTextInTheBox) {
    tab.commitPriorityScanText("1");   // last valid text "1.000"
    tab.spinPriorityScan(true, "0.5"); // typed, not yet checked
    EXPECT_EQ(state->editImage.at(0x0212), 63);
    EXPECT_EQ(tab.priorityScanText(), "0.504");
    tab.spinPriorityScan(false, "0.070"); // between two steps: from 0.064
    EXPECT_EQ(state->editImage.at(0x0212), 255);
    tab.spinPriorityScan(true, "9999999"); // far above the range counts as empty
    EXPECT_EQ(state->editImage.at(0x0212), 8);
    tab.spinPriorityScan(false, "nan");
    EXPECT_EQ(state->editImage.at(0x0212), 255);

    tab.spinAlertDuration(true, "12");
    EXPECT_EQ(state->editImage.at(0x0213), 26);
    EXPECT_EQ(tab.alertDurationText(), "12.48");
    tab.spinAlertDuration(false, "0.01"); // below the range counts as empty
    EXPECT_EQ(state->editImage.at(0x0213), 255);
}

} // namespace
} // namespace quorl
