#pragma once

#include "codeplug/codeplug_image.h"

#include <array>
#include <optional>
#include <string>

namespace quorl {

// One row of the printed call-tone table: CALL 1..10 then GROUP 1..5.
struct SummaryToneRow {
    std::string label; // "CALL 1", "GROUP 3"
    bool printed = false;
    std::string tone1;
    std::string tone2;
    std::string alert;
    std::string vibrate;
    std::string duty;
};

// A channel as the printed summary words it.
struct SummaryChannel {
    std::string receiveLine;              // "REV FREQ F1 : 155.000000 MHz"
    std::string band;                     // "12.5 KHz" / "25 KHz"
    std::string resetFunction;            // "Delayed N"
    std::optional<std::string> resetTime; // "10.0 Sec" for the timed functions
    std::string toneSystem;
    std::string codingOption;
    std::optional<std::string> onOffDuty; // from the first switch that calls on this channel
    std::string squelch;                  // stored level + 1
    std::array<SummaryToneRow, 15> rows;
};

SummaryChannel summaryChannel(const CodeplugImage& image, int channel);

// Whether a row of the call-tone table carries values for a coding option.
bool summaryRowPrinted(int row, int codingOption);

} // namespace quorl
