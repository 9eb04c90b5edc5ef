#include "codeplug/tone_encoding.h"
#include "codeplug/tone_tables.h"

#include <gtest/gtest.h>
#include <vector>

namespace quorl {
namespace {

// T, cycleCount and periodPreset of every tone table entry, worked out from the
// pager's formula with X = T + 2 T / 10000 kept fractional, in table order.
const std::vector<StoredTone> kCorvaneExpected{
    {3305, 10, 89},  {3490, 11, 51},  {3685, 12, 20},  {3890, 12, 71},  {4108, 13, 47},
    {4337, 14, 28},  {4579, 15, 14},  {4835, 16, 4},   {5105, 16, 56},  {5390, 17, 50},
    {5691, 18, 48},  {6009, 19, 48},  {6345, 21, 4},   {6699, 22, 12},  {7073, 23, 21},
    {7468, 24, 33},  {7885, 26, 8},   {8325, 27, 24},  {8790, 29, 7},   {9281, 30, 27},
    {2885, 9, 61},   {2965, 9, 86},   {3047, 10, 12},  {3130, 10, 38},  {9537, 31, 22},
    {9799, 32, 17},  {10069, 33, 14}, {10347, 34, 11}, {10632, 35, 9},  {10924, 36, 8},
    {3217, 10, 64},  {3396, 11, 25},  {3586, 11, 76},  {3786, 12, 46},  {3998, 13, 21},
    {4221, 14, 2},   {4457, 14, 54},  {4705, 15, 40},  {4968, 16, 30},  {5246, 17, 25},
    {5539, 18, 22},  {5848, 19, 22},  {6174, 20, 25},  {6519, 21, 30},  {6883, 22, 38},
    {7268, 24, 6},   {7674, 25, 19},  {8102, 26, 34},  {8555, 28, 15},  {9032, 30, 0},
    {11225, 37, 8},  {11534, 38, 8},  {11852, 39, 10}, {12178, 40, 11}, {12514, 41, 14},
    {12858, 42, 17}, {13212, 43, 20}, {13576, 45, 2},  {13950, 46, 8},  {14334, 47, 13},
    {14729, 48, 19}, {15135, 50, 6},  {15552, 51, 13}, {15980, 53, 2},  {16420, 54, 10},
    {16872, 56, 1},  {17337, 57, 10}, {17815, 59, 3},  {18305, 60, 13}, {18810, 62, 8},
    {19302, 64, 2},  {19890, 66, 1},  {20438, 67, 13}, {20945, 69, 9},  {21556, 71, 9},
    {22122, 73, 7},  {22717, 75, 6},  {23346, 77, 7},  {24010, 79, 10}, {24682, 82, 0},
};
const std::vector<StoredTone> kGeExpected{
    {5175, 17, 11}, {5325, 17, 39}, {5475, 18, 10}, {5625, 18, 37}, {5775, 19, 10}, {5925, 19, 35},
    {6075, 20, 9},  {6225, 20, 33}, {6375, 21, 9},  {6525, 21, 31}, {6675, 22, 8},  {6825, 22, 30},
    {6975, 23, 8},  {7125, 23, 28}, {7275, 24, 7},  {7425, 24, 27}, {7575, 25, 7},  {7725, 25, 26},
    {7875, 26, 6},  {8025, 26, 25}, {8175, 27, 6},  {8325, 27, 24}, {8475, 28, 6},  {8625, 28, 23},
    {8775, 29, 5},  {8925, 29, 22}, {9075, 30, 5},  {9225, 30, 21}, {9375, 31, 5},  {9525, 31, 20},
    {9675, 32, 5},
};
const std::vector<StoredTone> kPlectronExpected{
    {6430, 21, 17},  {6720, 22, 15},  {7010, 23, 12},  {7320, 24, 13},  {7650, 25, 16},
    {7990, 26, 21},  {8340, 27, 25},  {8710, 28, 32},  {9100, 30, 8},   {9500, 31, 18},
    {9920, 32, 29},  {10360, 34, 12}, {10820, 35, 26}, {11300, 37, 14}, {11800, 39, 5},
    {12320, 40, 23}, {12870, 42, 18}, {13440, 44, 15}, {14030, 46, 13}, {14650, 48, 14},
    {15300, 50, 16}, {15980, 53, 2},  {16690, 55, 8},  {17430, 57, 16}, {18200, 60, 8},
    {19010, 63, 3},  {19850, 65, 14}, {20730, 68, 13}, {21640, 71, 13}, {22600, 75, 1},
    {23610, 78, 6},  {24650, 81, 11}, {25750, 85, 7},  {26880, 89, 4},  {28070, 93, 3},
    {29320, 97, 4},  {30620, 101, 7}, {3078, 10, 22},  {3214, 10, 63},  {3356, 11, 13},
    {3505, 11, 55},  {3660, 12, 13},  {3823, 12, 55},  {3992, 13, 20},  {4169, 13, 61},
    {4353, 14, 32},  {4546, 15, 7},   {4748, 15, 49},  {4958, 16, 29},  {5178, 17, 12},
    {5407, 17, 53},  {5647, 18, 40},  {5897, 19, 30},  {6158, 20, 22},
};

void expectTable(const ToneTable& table, const std::vector<StoredTone>& expected) {
    ASSERT_EQ(table.entries.size(), expected.size()) << table.name;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ToneTableEntry& e = table.entries[i];
        const std::uint16_t t = entryTenths(e);
        EXPECT_EQ(t, expected[i].tenthsHz) << table.name << " " << e.frequency;
        const StoredTone stored = encodeTone(t);
        EXPECT_EQ(stored.cycleCount, expected[i].cycleCount) << table.name << " " << e.frequency;
        EXPECT_EQ(stored.periodPreset, expected[i].periodPreset)
            << table.name << " " << e.frequency;
    }
}

TEST(ToneTableEncoding, EveryEntryStoresThePagersThreeNumbers) {
    expectTable(corvaneToneTable(), kCorvaneExpected);
    expectTable(geToneTable(), kGeExpected);
    expectTable(plectronToneTable(), kPlectronExpected);
}

TEST(ToneTableEncoding, TheRaisedToneKeepsItsFraction) {
    // Tones where 2 T / 10000 has a fraction that lifts periodPreset by one.
    const struct {
        std::uint16_t t;
        int cycles, preset;
    } cases[] = {{3305, 10, 89}, {7468, 24, 33}, {2885, 9, 61},   {9537, 31, 22},
                 {9675, 32, 5},  {7990, 26, 21}, {21640, 71, 13}, {4958, 16, 29},
                 {10000, 33, 7}, {2800, 9, 32},  {34000, 112, 9}, {24682, 82, 0}};
    for (const auto& c : cases) {
        const StoredTone s = encodeTone(c.t);
        EXPECT_EQ(s.cycleCount, c.cycles) << c.t;
        EXPECT_EQ(s.periodPreset, c.preset) << c.t;
    }
}

} // namespace
} // namespace quorl
