#include "codeplug/function_switch_block.h"
#include "codeplug/model_options_block.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

TEST(ModelOptionsBlock, FieldsReadAndWriteTheirOwnBitsOnly) {
    CodeplugImage img;
    img.set(0x0210, 0xFF);
    img.set(0x0211, 0x2F); // bits 4, 6, 7 clear; the rest set
    img.set(0x0216, 0xF2); // bit 1 (the summary's old Priority Tone bit) set
    ModelOptionsBlock o(img);
    EXPECT_EQ(o.field(ModelOptionField::StoredVoiceDuration), 7);
    EXPECT_EQ(o.field(ModelOptionField::SwitchAnnouncements), 3);
    EXPECT_FALSE(o.isOn(ModelOptionField::Privacy));
    EXPECT_FALSE(o.isOn(ModelOptionField::PriorityToneAlert));
    EXPECT_FALSE(o.isOn(ModelOptionField::MaleAnnouncements));

    o.setField(ModelOptionField::StoredVoiceDuration, 4);
    EXPECT_EQ(img.at(0x0210), 0xFC);
    o.setField(ModelOptionField::SwitchAnnouncements, 1);
    EXPECT_EQ(img.at(0x0210), 0xEC);
    o.setField(ModelOptionField::AlwaysOn, 1);
    o.setField(ModelOptionField::UnreadMessageReminder, 1);
    EXPECT_EQ(img.at(0x0211), 0xBF);
    o.setField(ModelOptionField::PriorityToneAlert, 1);
    o.setField(ModelOptionField::BatteryLevelAnnouncement, 0);
    EXPECT_EQ(img.at(0x0216), 0xF6);
    o.setField(ModelOptionField::FixedAlertDuration, 2); // too wide: masked to the field
    EXPECT_EQ(img.at(0x0210) & 0x40, 0);
    o.setPriorityScanTime(65);
    o.setAlertDuration(25);
    o.setLengthBytes();
    EXPECT_EQ(img.at(0x0212), 65);
    EXPECT_EQ(img.at(0x0213), 25);
    EXPECT_EQ(img.at(0x0200), 0x5E);
    EXPECT_EQ(img.at(0x0201), 0x00);
}

TEST(FunctionSwitchBlock, EntriesKeepTheBytesTheyDoNotOwn) {
    CodeplugImage img;
    FunctionSwitchBlock block(img);
    SwitchEntry e = block.entry(7);
    EXPECT_EQ(e.base(), 0x02ACu);
    img.set(0x02AC, 0xFF);
    img.set(0x02AF, 0xFF);
    img.set(0x02B0, 0xAB);
    e.setMode(switch_mode::kPriorityScan);
    EXPECT_EQ(img.at(0x02AC), 0xFB);
    e.setAlertType(switch_alert::kVibrate);
    EXPECT_EQ(img.at(0x02AC), 0x9B) << "bit 7 is kept";
    e.setPushToListen(false);
    e.clearOptionBit2();
    e.setAnnouncement(switch_announcement::kStandard);
    EXPECT_EQ(img.at(0x02AF), 0xE9);
    EXPECT_TRUE(e.dutyEnabled());
    EXPECT_FALSE(e.pushToListen());
    EXPECT_EQ(img.at(0x02B0), 0xAB);
    EXPECT_TRUE(block.anyInMode(switch_mode::kPriorityScan));
    EXPECT_FALSE(block.anyInMode(switch_mode::kSilentScan));
    block.setLengthBytes();
    EXPECT_EQ(img.at(0x0280), 0x3E);
}

TEST(FunctionSwitchBlock, ModeGroupsFollowTheModeTable) {
    for (int code = 0; code <= switch_mode::kHighest; ++code) {
        EXPECT_EQ(switch_mode::isSelectiveCall(code), code <= 4) << code;
        EXPECT_EQ(switch_mode::isMonitor(code), code >= 5 && code <= 9) << code;
        EXPECT_EQ(switch_mode::isScan(code), code >= 10 && code <= 12) << code;
        EXPECT_EQ(switch_mode::withoutDutyAndListen(code), code >= 5 && code <= 11) << code;
    }
}

} // namespace
} // namespace quorl
