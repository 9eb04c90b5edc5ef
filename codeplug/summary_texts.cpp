#include "codeplug/summary_texts.h"

#include "base/decimal_text.h"
#include "codeplug/function_switch_block.h"
#include "codeplug/function_switch_names.h"
#include "codeplug/general_block.h"
#include "codeplug/model_options_block.h"

namespace quorl {

namespace {

constexpr std::array<const char*, 4> kAlertTypes{"Tone", "Vibrate", "", "Tone&Vibrate"};
constexpr std::array<const char*, 3> kAnnouncements{"Enhanced", "Custom", "Standard"};
constexpr std::array<const char*, 5> kVoiceDurations{"15 Sec", "30 Sec", "60 Sec", "120 Sec",
                                                     "Dynamic"};

const char* offOn(bool on) {
    return on ? "On" : "Off";
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
    s.intermediateFrequency = decimalText(g.intermediateFrequencyHz() / 1e6, 1);
    BandRange band{};
    if (bandRangeForCode(g.bandCode(), band))
        s.bandSplit = std::to_string(band.lowMHz) + " ~ " + std::to_string(band.highMHz) + " MHz";
    s.tcxo = g.tcxo134() ? "13.4" : "12.8";
    return s;
}

std::vector<SummaryLine> summaryModelOptions(const CodeplugImage& image) {
    using F = ModelOptionField;
    const ConstModelOptionsBlock o(image);
    const int voice = o.field(F::StoredVoiceDuration);
    return {
        {"Stored Voice Duration : ",
         kVoiceDurations[static_cast<std::size_t>(voice > kStoredVoiceDynamic ? kStoredVoiceDynamic
                                                                              : voice)]},
        {"Announcements Type : ", o.isOn(F::MaleAnnouncements) ? "Male" : "Female"},
        // Bit 4 alone: "On" and "On & On Reset" print On, the others Off.
        {"Function Switch Announcements : ",
         offOn((o.field(F::SwitchAnnouncements) & kSwitchAnnouncementsOnBit) != 0)},
        {"Battery Level Announcement : ", offOn(o.isOn(F::BatteryLevelAnnouncement))},
        {"Fixed Volume Page Alert : ", offOn(o.isOn(F::FixedVolumePageAlert))},
        {"Priority Scan Time : ", decimalText(o.priorityScanTime() * 8 / 1000.0, 3) + " Sec"},
        {"Page Alert Duration : ", o.isOn(F::FixedAlertDuration) ? "Fixed" : "Standard"},
        {"Unread Message Reminder : ", offOn(o.isOn(F::UnreadMessageReminder))},
        // The same bit the Model Options tab edits and the pager's audition reads.
        {"Priority Tone Alert : ", offOn(o.isOn(F::PriorityToneAlert))},
        {"Privacy : ", offOn(o.isOn(F::Privacy))},
        {"Always On : ", offOn(o.isOn(F::AlwaysOn))},
    };
}

std::optional<std::string> summaryFixedAlertDuration(const CodeplugImage& image) {
    const ConstModelOptionsBlock o(image);
    if (!o.isOn(ModelOptionField::FixedAlertDuration))
        return std::nullopt;
    return decimalText(o.alertDuration() * 480 / 1000.0, 2) + " Sec";
}

std::array<SummarySwitch, 8> summarySwitches(const CodeplugImage& image) {
    std::array<SummarySwitch, 8> out;
    const ConstFunctionSwitchBlock switches(image);
    for (int k = 0; k < kSwitchCount; ++k) {
        const ConstSwitchEntry e = switches.entry(k);
        SummarySwitch& s = out[static_cast<std::size_t>(k)];
        const int mode = e.mode();
        s.mode = mode <= switch_mode::kHighest
                     ? std::string(texts::kSwitchModes[static_cast<std::size_t>(mode)])
                     : "";
        const int alert = e.alertType();
        s.alertType = alert <= 3 ? kAlertTypes[static_cast<std::size_t>(alert)] : "";
        const int announcement = e.announcement();
        s.announcement =
            announcement <= 2 ? kAnnouncements[static_cast<std::size_t>(announcement)] : "";
        s.onOffDuty = e.dutyEnabled() ? "Enable" : "Disable";
        s.pushToListen = e.pushToListen() ? "Enable" : "Disable";
        s.scan1 = channelName(e.scan1());
        s.scan2 = channelName(e.scan2());
        s.disabled = mode == switch_mode::kDisabled;
        s.scanning = switch_mode::isScan(mode);
    }
    return out;
}

} // namespace quorl
