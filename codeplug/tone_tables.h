#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorl {

// One tone of a paging tone system: its printed code and its frequency text with
// one decimal. The text is the value; it is compared and converted as text.
struct ToneTableEntry {
    std::string_view code;
    std::string_view frequency;
};

// A fixed tone table. The order is significant: snapping keeps the earlier of two
// equally near entries, and the pickers number their radio buttons in this order.
struct ToneTable {
    std::string_view name; // the tone system's name
    std::span<const ToneTableEntry> entries;
    int groupSize = 0; // Corvane shows frames of ten; the others rows of eight
    std::span<const std::string_view> groupTitles;
};

const ToneTable& corvaneToneTable();
const ToneTable& geToneTable();
const ToneTable& plectronToneTable();

// The table of a tone system (0 Corvane, 1 GE, 2 Plectron, 4 Fast Plectron);
// "User" (3) and unknown systems have none.
const ToneTable* toneTableForSystem(int toneSystem);

double entryHz(const ToneTableEntry& e);

// The picker caption: "330.5 (110)".
std::string entryCaption(const ToneTableEntry& e);

// Nearest entry to a typed frequency, walking the table in order from a best
// distance of 2,800 Hz and keeping only strictly nearer entries.
std::optional<std::size_t> snapIndex(const ToneTable& table, double hz);

// The picker's preselection for a stored tone T (tenths of a hertz): the entry whose
// text equals "%3.1f" of T / 10, else the nearest from a best distance of 3,400.
std::size_t preselectIndex(const ToneTable& table, std::uint16_t tenthsHz);

// T of an entry: its text times ten, truncated.
std::uint16_t entryTenths(const ToneTableEntry& e);

} // namespace quorl
