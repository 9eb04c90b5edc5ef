#include "cli/channel_info.h"
#include "codeplug/channel_block.h"
#include "codeplug/default_codeplug.h"
#include "codeplug/tone_encoding.h"

#include <gtest/gtest.h>
#include <sstream>

namespace quorl::cli {
namespace {

std::string report(const CodeplugImage& image) {
    InfoNode root;
    addChannels(root, image);
    std::ostringstream out;
    printText(root, out);
    return out.str();
}

TEST(ChannelInfo, ListsEachChannelWithItsUsedEntries) {
    auto image = makeDefaultCodeplug(vhfFiveChannelFactory());
    ChannelBlock f3(image, 2); // R468: two calls, two groups
    f3.setCallTone(2, 2, encodeTone(7468));
    f3.setGroupFlags(2, 0x2C); // Custom Alert 3, pulsed, off duty
    f3.setResetFunction(5);
    f3.setResetTimer(255);
    f3.setSquelchLevel(4);
    const std::string text = report(image);
    EXPECT_NE(text.find("channel: F5"), std::string::npos);
    const auto f3At = text.find("channel: F3");
    const auto f4At = text.find("channel: F4");
    ASSERT_NE(f3At, std::string::npos);
    const std::string third = text.substr(f3At, f4At - f3At);
    EXPECT_NE(third.find("receiveFrequencyMHz: 155.010000"), std::string::npos) << third;
    EXPECT_NE(third.find("codingOption: R468"), std::string::npos);
    EXPECT_NE(third.find("resetFunction: Revert N"), std::string::npos);
    EXPECT_NE(third.find("resetTimerSeconds: 127.5"), std::string::npos);
    EXPECT_NE(third.find("squelchLevel: 5"), std::string::npos);
    EXPECT_NE(third.find("tone2Hz: 746.8"), std::string::npos);
    EXPECT_NE(third.find("call: 2"), std::string::npos);
    EXPECT_EQ(third.find("call: 3"), std::string::npos);
    EXPECT_NE(third.find("group: 2"), std::string::npos);
    EXPECT_NE(third.find("alert: Custom Alert 3"), std::string::npos);
    EXPECT_NE(third.find("vibrate: Pulsed"), std::string::npos);
    EXPECT_NE(third.find("duty: Off"), std::string::npos);
}

TEST(ChannelInfo, SingleChannelPagerHasOneChannel) {
    const std::string text = report(makeDefaultCodeplug(uhfSingleChannelFactory()));
    EXPECT_NE(text.find("receiveFrequencyMHz: 460.025000"), std::string::npos) << text;
    EXPECT_EQ(text.find("channel: F2"), std::string::npos);
}

} // namespace
} // namespace quorl::cli
