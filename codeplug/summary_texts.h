#pragma once

#include "codeplug/codeplug_image.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorl {

// The codeplug decoded into the texts of the printed summary (and `quorl info`).

struct SummaryIdentity {
    std::string model;
    std::string serial;
    std::string tanapa;
    std::string codeplugVersion;
    std::string pagerVersion;
    std::string channelType;
    std::string intermediateFrequency; // "%3.1f" MHz of the IF field
    std::string bandSplit;             // "143 ~ 174 MHz", empty for unknown codes
    std::string tcxo;                  // "12.8" or "13.4"
};

SummaryIdentity summaryIdentity(const CodeplugImage& image, const std::string& pagerVersion);

// The eleven model option lines, label and value, in print order.
using SummaryLine = std::pair<std::string, std::string>;
std::vector<SummaryLine> summaryModelOptions(const CodeplugImage& image);
// "12.00 Sec" when the page alert duration is Fixed, else none.
std::optional<std::string> summaryFixedAlertDuration(const CodeplugImage& image);

// One switch column of the function switch grid.
struct SummarySwitch {
    std::string mode;
    std::string alertType;
    std::string announcement;
    std::string onOffDuty;
    std::string pushToListen;
    std::string scan1;
    std::string scan2;
    bool disabled = false; // only the mode is printed
    bool scanning = false; // the scan channel rows are printed
};

std::array<SummarySwitch, 8> summarySwitches(const CodeplugImage& image);

// Row labels of the switch grid, top to bottom.
inline constexpr std::array<const char*, 7> kSummarySwitchRows{
    "Mode", "Alert Type", "Announement", "On/Off Duty", "PTL", "1st Scan CH", "2nd Scan CH"};

} // namespace quorl
