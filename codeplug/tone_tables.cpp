#include "codeplug/tone_tables.h"

#include "base/decimal_text.h"
#include "codeplug/tone_encoding.h"

#include <array>
#include <cmath>

namespace quorl {
namespace {

// Corvane: eight frames of ten. The third frame mixes the low and high extension
// tones and is not sorted; there are no frames 7 to 9.
const std::array<ToneTableEntry, 80> kCorvane{{
    {"110", "330.5"},  {"111", "349.0"},  {"112", "368.5"},  {"113", "389.0"},  {"114", "410.8"},
    {"115", "433.7"},  {"116", "457.9"},  {"117", "483.5"},  {"118", "510.5"},  {"119", "539.0"},
    {"120", "569.1"},  {"121", "600.9"},  {"122", "634.5"},  {"123", "669.9"},  {"124", "707.3"},
    {"125", "746.8"},  {"126", "788.5"},  {"127", "832.5"},  {"128", "879.0"},  {"129", "928.1"},
    {"138", "288.5"},  {"108", "296.5"},  {"139", "304.7"},  {"109", "313.0"},  {"160", "953.7"},
    {"130", "979.9"},  {"161", "1006.9"}, {"131", "1034.7"}, {"162", "1063.2"}, {"189", "1092.4"},
    {"140", "321.7"},  {"141", "339.6"},  {"142", "358.6"},  {"143", "378.6"},  {"144", "399.8"},
    {"145", "422.1"},  {"146", "445.7"},  {"147", "470.5"},  {"148", "496.8"},  {"149", "524.6"},
    {"150", "553.9"},  {"151", "584.8"},  {"152", "617.4"},  {"153", "651.9"},  {"154", "688.3"},
    {"155", "726.8"},  {"156", "767.4"},  {"157", "810.2"},  {"158", "855.5"},  {"159", "903.2"},
    {"190", "1122.5"}, {"191", "1153.4"}, {"192", "1185.2"}, {"193", "1217.8"}, {"194", "1251.4"},
    {"195", "1285.8"}, {"196", "1321.2"}, {"197", "1357.6"}, {"198", "1395.0"}, {"199", "1433.4"},
    {"170", "1472.9"}, {"171", "1513.5"}, {"172", "1555.2"}, {"173", "1598.0"}, {"174", "1642.0"},
    {"175", "1687.2"}, {"176", "1733.7"}, {"177", "1781.5"}, {"178", "1830.5"}, {"179", "1881.0"},
    {"200", "1930.2"}, {"201", "1989.0"}, {"202", "2043.8"}, {"203", "2094.5"}, {"204", "2155.6"},
    {"205", "2212.2"}, {"206", "2271.7"}, {"207", "2334.6"}, {"208", "2401.0"}, {"209", "2468.2"},
}};

constexpr std::array<std::string_view, 8> kCorvaneGroups{
    "Group 1", "Group 2", "Group 3", "Group 4", "Group 5", "Group 6", "Group 10", "Group 11"};

// GE: code c has 502.5 + 15 c Hz.
const std::array<ToneTableEntry, 31> kGe{{
    {"001", "517.5"}, {"002", "532.5"}, {"003", "547.5"}, {"004", "562.5"}, {"005", "577.5"},
    {"006", "592.5"}, {"007", "607.5"}, {"008", "622.5"}, {"009", "637.5"}, {"010", "652.5"},
    {"011", "667.5"}, {"012", "682.5"}, {"013", "697.5"}, {"014", "712.5"}, {"015", "727.5"},
    {"016", "742.5"}, {"017", "757.5"}, {"018", "772.5"}, {"019", "787.5"}, {"020", "802.5"},
    {"021", "817.5"}, {"022", "832.5"}, {"023", "847.5"}, {"024", "862.5"}, {"025", "877.5"},
    {"026", "892.5"}, {"027", "907.5"}, {"028", "922.5"}, {"029", "937.5"}, {"030", "952.5"},
    {"031", "967.5"},
}};

// Plectron (also used by Fast Plectron): codes 038 and 039 do not exist.
const std::array<ToneTableEntry, 54> kPlectron{{
    {"001", "643.0"},  {"002", "672.0"},  {"003", "701.0"},  {"004", "732.0"},  {"005", "765.0"},
    {"006", "799.0"},  {"007", "834.0"},  {"008", "871.0"},  {"009", "910.0"},  {"010", "950.0"},
    {"011", "992.0"},  {"012", "1036.0"}, {"013", "1082.0"}, {"014", "1130.0"}, {"015", "1180.0"},
    {"016", "1232.0"}, {"017", "1287.0"}, {"018", "1344.0"}, {"019", "1403.0"}, {"020", "1465.0"},
    {"021", "1530.0"}, {"022", "1598.0"}, {"023", "1669.0"}, {"024", "1743.0"}, {"025", "1820.0"},
    {"026", "1901.0"}, {"027", "1985.0"}, {"028", "2073.0"}, {"029", "2164.0"}, {"030", "2260.0"},
    {"031", "2361.0"}, {"032", "2465.0"}, {"033", "2575.0"}, {"034", "2688.0"}, {"035", "2807.0"},
    {"036", "2932.0"}, {"037", "3062.0"}, {"040", "307.8"},  {"041", "321.4"},  {"042", "335.6"},
    {"043", "350.5"},  {"044", "366.0"},  {"045", "382.3"},  {"046", "399.2"},  {"047", "416.9"},
    {"048", "435.3"},  {"049", "454.6"},  {"050", "474.8"},  {"051", "495.8"},  {"052", "517.8"},
    {"053", "540.7"},  {"054", "564.7"},  {"055", "589.7"},  {"056", "615.8"},
}};

const ToneTable kCorvaneTable{"Corvane", kCorvane, 10, kCorvaneGroups};
const ToneTable kGeTable{"GE", kGe, 8, {}};
const ToneTable kPlectronTable{"Plectron", kPlectron, 8, {}};

} // namespace

const ToneTable& corvaneToneTable() {
    return kCorvaneTable;
}
const ToneTable& geToneTable() {
    return kGeTable;
}
const ToneTable& plectronToneTable() {
    return kPlectronTable;
}

const ToneTable* toneTableForSystem(int toneSystem) {
    switch (toneSystem) {
    case 0:
        return &kCorvaneTable;
    case 1:
        return &kGeTable;
    case 2:
    case 4:
        return &kPlectronTable;
    default:
        return nullptr;
    }
}

double entryHz(const ToneTableEntry& e) {
    return parseDecimalText(e.frequency).value_or(0.0);
}

std::string entryCaption(const ToneTableEntry& e) {
    return std::string(e.frequency) + " (" + std::string(e.code) + ")";
}

std::optional<std::size_t> snapIndex(const ToneTable& table, double hz) {
    double best = 2800.0;
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < table.entries.size(); ++i) {
        const double d = std::fabs(hz - entryHz(table.entries[i]));
        if (d < best) {
            best = d;
            found = i;
        }
    }
    return found;
}

std::size_t preselectIndex(const ToneTable& table, std::uint16_t tenthsHz) {
    const std::string text = formatTone(tenthsHz);
    for (std::size_t i = 0; i < table.entries.size(); ++i)
        if (table.entries[i].frequency == text)
            return i;
    const double hz = static_cast<double>(tenthsHz) / 10.0;
    double best = 3400.0;
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < table.entries.size(); ++i) {
        const double d = std::fabs(hz - entryHz(table.entries[i]));
        if (d < best) {
            best = d;
            chosen = i;
        }
    }
    return chosen;
}

std::uint16_t entryTenths(const ToneTableEntry& e) {
    return static_cast<std::uint16_t>(std::trunc(entryHz(e) * 10.0));
}

} // namespace quorl
