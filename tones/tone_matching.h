#pragma once

#include "codeplug/codeplug_image.h"
#include "tones/page_grouping.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorl::tones {

// How far a measured tone may lie from a table entry or a call's stored tone and
// still be that tone: 1 % either way, the acceptance of a two-tone decoder. The
// nearest tables' neighbours lie further apart than that (1.5 % and more), so no
// measured tone is within reach of two entries' frequencies at the same time.
inline constexpr double kTonePercent = 1.0;

bool withinTolerance(double measuredHz, double nominalHz);

// The nearest entry of one tone table, when within tolerance.
struct TableMatch {
    std::string_view system; // "Corvane", "GE", "Plectron"
    std::string_view code;   // "127"
    double hz = 0;           // the entry's frequency
};

// One match per table that has an entry within tolerance, in table order
// Corvane, GE, Plectron.
std::vector<TableMatch> tableMatches(double hz);

// An entry of the codeplug that a page alerts.
struct PagedEntry {
    int channel = 0; // 0 = F1
    bool group = false;
    int index = 0; // call address 1..10 or group call 1..5
    friend bool operator==(const PagedEntry&, const PagedEntry&) = default;
};

// Every call address (for an A - B page) or group call (for a long tone) of every
// channel the pager has, among those its coding option uses, whose tones are the
// page's within tolerance.
std::vector<PagedEntry> pagedEntries(const CodeplugImage& image, const FoundPage& page);

// "F3 Call 2", "F1 Group 1".
std::string entryName(const PagedEntry& e);

} // namespace quorl::tones
