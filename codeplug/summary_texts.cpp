#include "codeplug/summary_texts.h"

#include "codeplug/function_switch_names.h"
#include "codeplug/general_block.h"

#include <cstdio>

namespace quorl {

namespace {

constexpr std::array<const char*, 4> kAlertTypes{"Tone", "Vibrate", "", "Tone&Vibrate"};
constexpr std::array<const char*, 3> kAnnouncements{"Enhanced", "Custom", "Standard"};
constexpr std::array<const char*, 5> kVoiceDurations{"15 Sec", "30 Sec", "60 Sec", "120 Sec",
                                                     "Dynamic"};

const char* offOn(bool on) {
    return on ? "On" : "Off";
}

std::string decimals(int places, double v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", places, v);
    return buf;
}

std::string channelName(std::uint8_t n) {
    return n >= 1 && n <= 5 ? std::string(texts::kScanChannels[n - 1u]) : std::string();
}

} // namespace

SummaryIdentity summaryIdentity(const CodeplugImage& image, const std::string& pagerVersion) {
    const GeneralBlock g(image);
    SummaryIdentity s;
    s.model = g.modelNumber();
    s.serial = g.serialNumber();
    s.tanapa = g.tanapa();
    s.codeplugVersion = g.codeplugVersionText();
    s.pagerVersion = pagerVersion;
    s.channelType = channelCountText(g.channelCount());
    s.intermediateFrequency = decimals(1, g.intermediateFrequencyHz() / 1e6);
    BandRange band{};
    if (bandRangeForCode(g.bandCode(), band))
        s.bandSplit = std::to_string(band.lowMHz) + " ~ " + std::to_string(band.highMHz) + " MHz";
    s.tcxo = g.tcxo134() ? "13.4" : "12.8";
    return s;
}

std::vector<SummaryLine> summaryModelOptions(const CodeplugImage& image) {
    const auto o0 = image.at(0x0210);
    const auto o1 = image.at(0x0211);
    const auto o2 = image.at(0x0216);
    const int voice = o0 & 0x07;
    return {
        {"Stored Voice Duration : ",
         kVoiceDurations[static_cast<std::size_t>(voice > 4 ? 4 : voice)]},
        {"Announcements Type : ", (o2 & 0x01) ? "Male" : "Female"},
        // Bit 4 alone: "On" and "On & On Reset" print On, the others Off.
        {"Function Switch Announcements : ", offOn((o0 & 0x10) != 0)},
        {"Battery Level Announcement : ", offOn((o2 & 0x08) != 0)},
        {"Fixed Volume Page Alert : ", offOn((o0 & 0x20) != 0)},
        {"Priority Scan Time : ", decimals(3, image.at(0x0212) * 8 / 1000.0) + " Sec"},
        {"Page Alert Duration : ", (o0 & 0x40) ? "Fixed" : "Standard"},
        {"Unread Message Reminder : ", offOn((o1 & 0x10) != 0)},
        // The same bit the Model Options tab edits and the pager's audition reads.
        {"Priority Tone Alert : ", offOn((o2 & 0x04) != 0)},
        {"Privacy : ", offOn((o1 & 0x40) != 0)},
        {"Always On : ", offOn((o1 & 0x80) != 0)},
    };
}

std::optional<std::string> summaryFixedAlertDuration(const CodeplugImage& image) {
    if ((image.at(0x0210) & 0x40) == 0)
        return std::nullopt;
    return decimals(2, image.at(0x0213) * 480 / 1000.0) + " Sec";
}

std::array<SummarySwitch, 8> summarySwitches(const CodeplugImage& image) {
    std::array<SummarySwitch, 8> out;
    for (Address k = 0; k < 8; ++k) {
        const Address a = 0x0282 + 6 * k;
        const auto b0 = image.at(a);
        const auto b3 = image.at(a + 3);
        SummarySwitch& s = out[k];
        const int mode = b0 & 0x0F;
        s.mode = mode <= 13 ? std::string(texts::kSwitchModes[static_cast<std::size_t>(mode)]) : "";
        const int alert = (b0 >> 4) & 0x07;
        s.alertType = alert <= 3 ? kAlertTypes[static_cast<std::size_t>(alert)] : "";
        const int announcement = (b3 >> 4) & 0x03;
        s.announcement =
            announcement <= 2 ? kAnnouncements[static_cast<std::size_t>(announcement)] : "";
        s.onOffDuty = (b3 & 0x01) ? "Enable" : "Disable";
        s.pushToListen = (b3 & 0x02) ? "Enable" : "Disable";
        s.scan1 = channelName(image.at(a + 1));
        s.scan2 = channelName(image.at(a + 2));
        s.disabled = mode == 13;
        s.scanning = mode >= 10 && mode <= 12;
    }
    return out;
}

} // namespace quorl
