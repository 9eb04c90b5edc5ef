#include "codeplug/summary_channel.h"

#include "base/decimal_text.h"
#include "codeplug/channel_block.h"
#include "codeplug/channel_option_lists.h"
#include "codeplug/frequency_encoding.h"
#include "codeplug/function_switch_block.h"
#include "codeplug/general_block.h"

namespace quorl {

namespace {

// The summary's own wording where it differs from the editors' lists.
constexpr std::array<const char*, 5> kToneSystems{"Corvane", "GE", "Plectorn", "User",
                                                  "Fast Plectorn"};
constexpr std::array<const char*, 15> kAlerts{"Std",     "Cont's",  "Music 1", "Music 2", "Music 3",
                                              "Music 4", "Music 5", "Music 6", "Music 7", "Music 8",
                                              "Cust 1",  "Cust 2",  "Cust 3",  "Cust 4",  "Cust 5"};

template <std::size_t N> std::string nameOf(const std::array<const char*, N>& names, int i) {
    return i >= 0 && static_cast<std::size_t>(i) < N ? names[static_cast<std::size_t>(i)] : "";
}

std::string toneText(std::uint16_t tenths) {
    if (tenths == 0)
        return {};
    return decimalText(tenths / 10.0, 1);
}

bool isTimedReset(int function) {
    return function == 1 || function == 4 || function == 5 || function == 6 || function == 7;
}

void fillFlags(SummaryToneRow& row, std::uint8_t flags) {
    row.alert = nameOf(kAlerts, flags & 0x0F);
    row.vibrate = (flags & 0x20) ? "Pulsed" : "Std";
    row.duty = (flags & 0x10) ? "On" : "Off";
}

} // namespace

bool summaryRowPrinted(int row, int option) {
    auto in = [option](std::initializer_list<int> options) {
        for (int o : options)
            if (o == option)
                return true;
        return false;
    };
    if (row == 0)
        return true;
    if (row == 1)
        return in({0, 1, 2, 7, 8, 10});
    if (row < 10)
        return option == 10;
    if (row == 10)
        return !in({2, 3, 7});
    if (row == 11)
        return in({0, 4, 10});
    return option == 10;
}

SummaryChannel summaryChannel(const CodeplugImage& image, int channel) {
    const ConstChannelBlock block(image, channel);
    const GeneralBlock general(image);
    SummaryChannel s;
    s.receiveLine = "REV FREQ F" + std::to_string(channel + 1) + " : " +
                    formatReceiveFrequency(block.synthWord(), block.fraction(), block.stepCode(),
                                           general.bandCode()) +
                    " MHz";
    s.band = block.wideBandwidth() ? "25 KHz" : "12.5 KHz";
    const int reset = block.resetFunction();
    s.resetFunction =
        std::string(options::nameOf(options::kResetFunction, static_cast<std::size_t>(reset)));
    if (isTimedReset(reset)) {
        s.resetTime = decimalText(block.resetTimer() * 0.5, 1) + " Sec";
    }
    s.toneSystem = nameOf(kToneSystems, block.toneSystem());
    s.codingOption = std::string(options::nameOf(options::kCodingOption, block.codingOption()));
    const ConstFunctionSwitchBlock switches(image);
    for (int k = 0; k < kSwitchCount; ++k) {
        const ConstSwitchEntry e = switches.entry(k);
        if (e.mode() == switch_mode::kSelectiveCallF1 + channel) {
            s.onOffDuty = e.dutyEnabled() ? "Enable" : "Disable";
            break;
        }
    }
    s.squelch = std::to_string(block.squelchLevel() + 1);
    for (int r = 0; r < 15; ++r) {
        SummaryToneRow& row = s.rows[static_cast<std::size_t>(r)];
        row.printed = summaryRowPrinted(r, block.codingOption());
        if (r < 10) {
            row.label = "CALL " + std::to_string(r + 1);
            row.tone1 = toneText(block.callTone(r + 1, 1).tenthsHz);
            row.tone2 = toneText(block.callTone(r + 1, 2).tenthsHz);
            fillFlags(row, block.callFlags(r + 1));
        } else {
            row.label = "GROUP " + std::to_string(r - 9);
            row.tone1 = toneText(block.groupTone(r - 9).tenthsHz);
            fillFlags(row, block.groupFlags(r - 9));
        }
    }
    return s;
}

} // namespace quorl
