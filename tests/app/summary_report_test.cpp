#include "app/summary_report.h"

#include "codeplug/channel_block.h"
#include "codeplug/default_codeplug.h"
#include "codeplug/tone_encoding.h"
#include "recording_paint_device.h"
#include "tests/support/test_files.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace quorl {
namespace {

using test::Recording;
using test::RecordingPaintDevice;

// Draws one page at 600 dpi, so device units are layout units.
Recording paint(const CodeplugImage& image, int page, std::string file = "f.ppg") {
    RecordingPaintDevice device;
    QPainter painter(&device);
    SummaryReport(image, std::move(file), "V02.13").paintPage(painter, page, 600);
    painter.end();
    return device.recording;
}

// A text drawn with its top-left corner at (x, y): same x, baseline just below y.
void expectAt(const Recording& d, const QString& prefix, double x, double y) {
    const auto* t = d.find(prefix);
    ASSERT_NE(t, nullptr) << prefix.toStdString();
    EXPECT_NEAR(t->baseline.x(), x, 1.0) << prefix.toStdString();
    EXPECT_GT(t->baseline.y(), y) << prefix.toStdString();
    EXPECT_LT(t->baseline.y(), y + 140) << prefix.toStdString();
}

TEST(SummaryReport, PageCountFollowsTheChannelCount) {
    EXPECT_EQ(SummaryReport(makeDefaultCodeplug(uhfSingleChannelFactory()), "", "").pageCount(), 2);
    EXPECT_EQ(SummaryReport(test::validImage(), "", "").pageCount(), 6);
}

TEST(SummaryReport, IdentityPagePositions) {
    auto img = test::validImage();
    img.set(0x0210, static_cast<std::uint8_t>(img.at(0x0210) | 0x40)); // Fixed
    img.set(0x0213, 25);
    const auto d = paint(img, 1);
    expectAt(d, "Welcome to Corvane Tessaly VI Quorl! (File Name : f.ppg )", 10, 10);
    expectAt(d, "MODEL : TV6VHF5CH001", 10, 200);
    expectAt(d, "PLUG VER : R01.07", 1600, 200);
    expectAt(d, "BAND SPLIT : 143 ~ 174 MHz", 3150, 200);
    expectAt(d, "PAGER VER : V02.13", 1600, 350);
    expectAt(d, "IF : 45.1MHz", 3150, 350);
    expectAt(d, "TCXO : 12.8MHz", 3150, 500);
    expectAt(d, "CHANNEL TYPE : Five Channel", 10, 650);
    expectAt(d, "1. MODEL OPTIONS ", 10, 1000);
    expectAt(d, "Stored Voice Duration : ", 100, 1150);
    expectAt(d, "Page Alert Duration : Fixed", 100, 2050);
    expectAt(d, "12.00 Sec", 1900, 2050);
    expectAt(d, "Always On : ", 100, 2650);
    expectAt(d, "2. FUNCTION SWITCH ", 10, 3400);
    expectAt(d, "SW-A", 1150, 3570);
    expectAt(d, "SW-H", 3940, 4930);
    expectAt(d, "Announement", 100, 3740 + 170 * 2);
}

TEST(SummaryReport, WelcomeLineWithoutAFileName) {
    const auto d = paint(test::validImage(), 1, "");
    EXPECT_TRUE(d.hasText("Welcome to Corvane Tessaly VI Quorl!"));
}

TEST(SummaryReport, DisabledSwitchesPrintOnlyTheModeAndScansTheirChannels) {
    auto img = test::validImage();
    img.set(0x0282, 0x3D);       // SW-A Disabled, Tone & Vibrate
    img.set(0x0282 + 6, 0x0C);   // SW-B Silent Scan
    img.set(0x0282 + 12, 0x05);  // SW-C Monitor F1
    img.set(0x0282 + 6 + 1, 3);  // SW-B scans F3
    img.set(0x0282 + 6 + 2, 4);  // and F4
    img.set(0x0282 + 12 + 1, 5); // SW-C holds F5, not printed
    const auto d = paint(img, 1);
    int inColumnA = 0;
    for (const auto& t : d.texts)
        if (std::abs(t.baseline.x() - 860) < 1 && t.baseline.y() > 3740 && t.baseline.y() < 4910)
            ++inColumnA;
    EXPECT_EQ(inColumnA, 1) << "only the mode of a disabled switch";
    expectAt(d, "F3", 1790, 3740 + 170 * 5);
    expectAt(d, "F4", 1790, 3740 + 170 * 6);
    EXPECT_EQ(d.find("F5"), nullptr);
}

TEST(SummaryReport, ChannelPageWithoutFrequencyAndWithEveryCall) {
    auto img = test::validImage();
    ChannelBlock ch(img, 1);
    ch.setFrequencyWord(0, 0, 0);
    ch.setCodingOption(10); // R168 (None)
    for (int call = 1; call <= 10; ++call)
        ch.setCallTone(call, 1, encodeTone(static_cast<std::uint16_t>(3000 + call)));
    const auto d = paint(img, 3);
    EXPECT_TRUE(d.hasText("REV FREQ F2 :  MHz"));
    EXPECT_EQ(d.find("3. CHANNEL INFORMATION"), nullptr) << "page 2 only";
    expectAt(d, "300.1", 640, 1440);
    expectAt(d, "301.0", 640, 1440 + 170 * 9);
    int groupRows = 0;
    for (const auto& t : d.texts)
        if (std::abs(t.baseline.x() - 1480) < 1 && t.baseline.y() > 3140)
            ++groupRows;
    EXPECT_EQ(groupRows, 5) << "an alert in every group row";
    expectAt(d, "Squelch Level : 3", 100, 4140);
}

TEST(SummaryReport, ChannelPageOfAStdChannel) {
    auto img = test::validImage();
    ChannelBlock(img, 0).setToneSystemAndReset(2, 1); // Plectron, Delayed N
    ChannelBlock(img, 0).setResetTimer(25);
    const auto d = paint(img, 2);
    expectAt(d, "3. CHANNEL INFORMATION ", 10, 200);
    expectAt(d, "REV FREQ F1 : 154.430000 MHz", 100, 350);
    expectAt(d, "Reset Function : Delayed N", 100, 650);
    expectAt(d, "12.5 Sec", 1650, 650);
    EXPECT_TRUE(d.hasText("Tone System : Plectorn"));
    expectAt(d, "On/Off DUTY : Disable", 100, 1100);
    EXPECT_TRUE(d.hasText("CALL 10"));
    int valueCells = 0;
    for (const auto& t : d.texts)
        if (t.baseline.x() > 600 && t.baseline.y() > 1440 && t.baseline.y() < 4100)
            ++valueCells;
    EXPECT_EQ(valueCells, 5) << "STD prints CALL 1 only";
}

} // namespace
} // namespace quorl
