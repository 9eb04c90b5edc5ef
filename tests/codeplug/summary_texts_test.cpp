#include "codeplug/summary_texts.h"

#include "tests/support/test_files.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

std::string valueOf(const std::vector<SummaryLine>& lines, const std::string& label) {
    for (const auto& [l, v] : lines)
        if (l == label)
            return v;
    return "<missing>";
}

TEST(SummaryTexts, IdentityWording) {
    auto img = test::validImage();
    img.set(0x010E, 1);
    const auto s = summaryIdentity(img, "V02.13");
    EXPECT_EQ(s.intermediateFrequency, "45.1");
    EXPECT_EQ(s.bandSplit, "143 ~ 174 MHz");
    EXPECT_EQ(s.tcxo, "13.4");
    EXPECT_EQ(s.pagerVersion, "V02.13");
    img.set(0x0102, 7);
    EXPECT_EQ(summaryIdentity(img, "").bandSplit, "");
}

TEST(SummaryTexts, SwitchAnnouncementsReadBitFourAlone) {
    auto img = test::validImage();
    const char* expected[4] = {"Off", "Off", "On", "On"}; // codes 0 to 3
    for (std::uint8_t code = 0; code < 4; ++code) {
        img.set(0x0210, static_cast<std::uint8_t>(code << 3));
        EXPECT_EQ(valueOf(summaryModelOptions(img), "Function Switch Announcements : "),
                  expected[code])
            << int(code);
    }
    EXPECT_EQ(summaryModelOptions(img).size(), 11u);
}

TEST(SummaryTexts, FixedAlertDurationOnlyWhenFixed) {
    auto img = test::validImage();
    img.set(0x0213, 25);
    img.set(0x0210, 0x00);
    EXPECT_FALSE(summaryFixedAlertDuration(img));
    img.set(0x0210, 0x40);
    EXPECT_EQ(summaryFixedAlertDuration(img).value_or(""), "12.00 Sec");
    EXPECT_EQ(valueOf(summaryModelOptions(img), "Page Alert Duration : "), "Fixed");
    img.set(0x0212, 64);
    EXPECT_EQ(valueOf(summaryModelOptions(img), "Priority Scan Time : "), "0.512 Sec");
}

TEST(SummaryTexts, SwitchColumns) {
    auto img = test::validImage();
    auto set = [&](Address k, std::uint8_t b0, std::uint8_t b3) {
        img.set(0x0282 + 6 * k, b0);
        img.set(0x0282 + 6 * k + 3, b3);
    };
    set(0, 0x3D, 0x03); // Disabled
    set(1, 0x1C, 0x12); // Silent Scan, Vibrate, Custom, PTL
    set(2, 0x05, 0x00); // Monitor F1
    set(3, 0x3C, 0x13); // Silent Scan, Tone & Vibrate, Custom, Duty, PTL, F5 and F1
    img.set(0x0282 + 6 * 3 + 1, 5);
    img.set(0x0282 + 6 * 3 + 2, 1);
    const auto s = summarySwitches(img);
    EXPECT_TRUE(s[0].disabled);
    EXPECT_EQ(s[0].mode, "Disabled");
    EXPECT_TRUE(s[1].scanning);
    EXPECT_EQ(s[1].alertType, "Vibrate");
    EXPECT_EQ(s[1].announcement, "Custom");
    EXPECT_EQ(s[1].pushToListen, "Enable");
    EXPECT_EQ(s[1].onOffDuty, "Disable");
    EXPECT_EQ(s[1].scan1, "F1");
    EXPECT_EQ(s[1].scan2, "F2");
    EXPECT_FALSE(s[2].scanning);
    EXPECT_EQ(s[2].announcement, "Enhanced");
    EXPECT_EQ(s[3].alertType, "Tone&Vibrate");
    EXPECT_EQ(s[3].onOffDuty, "Enable");
    EXPECT_EQ(s[3].scan1, "F5");
    EXPECT_EQ(s[3].scan2, "F1");
}

} // namespace
} // namespace quorl
