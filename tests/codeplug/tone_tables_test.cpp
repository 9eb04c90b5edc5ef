#include "codeplug/tone_tables.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace quorl {
namespace {

std::string snapped(const ToneTable& table, double hz) {
    const auto i = snapIndex(table, hz);
    return i ? std::string(table.entries[*i].frequency) : std::string("<none>");
}

std::string preselected(const ToneTable& table, std::uint16_t t) {
    return entryCaption(table.entries[preselectIndex(table, t)]);
}

TEST(ToneTables, SizesOrderAndCaptions) {
    const auto& cor = corvaneToneTable();
    ASSERT_EQ(cor.entries.size(), 80u);
    EXPECT_EQ(entryCaption(cor.entries[0]), "330.5 (110)");
    // The third frame is not sorted: it starts low and jumps above 950 Hz.
    EXPECT_EQ(entryCaption(cor.entries[20]), "288.5 (138)");
    EXPECT_EQ(entryCaption(cor.entries[24]), "953.7 (160)");
    EXPECT_EQ(entryCaption(cor.entries[29]), "1092.4 (189)");
    EXPECT_EQ(entryCaption(cor.entries[79]), "2468.2 (209)");
    ASSERT_EQ(cor.groupTitles.size(), 8u);
    EXPECT_EQ(cor.groupTitles[6], "Group 10");
    EXPECT_EQ(cor.name, "Corvane");

    const auto& ge = geToneTable();
    ASSERT_EQ(ge.entries.size(), 31u);
    EXPECT_EQ(entryCaption(ge.entries[0]), "517.5 (001)");
    EXPECT_EQ(entryCaption(ge.entries[30]), "967.5 (031)");
    EXPECT_EQ(ge.name, "GE");

    const auto& pl = plectronToneTable();
    ASSERT_EQ(pl.entries.size(), 54u);
    EXPECT_EQ(entryCaption(pl.entries[36]), "3062.0 (037)");
    EXPECT_EQ(entryCaption(pl.entries[37]), "307.8 (040)");
    EXPECT_EQ(pl.name, "Plectron");

    // Every code is printed once per table.
    for (const ToneTable* t : {&cor, &ge, &pl}) {
        std::set<std::string_view> codes;
        for (const auto& e : t->entries)
            codes.insert(e.code);
        EXPECT_EQ(codes.size(), t->entries.size()) << t->name;
    }
}

TEST(ToneTables, SystemsShareTablesAndUserHasNone) {
    EXPECT_EQ(toneTableForSystem(0), &corvaneToneTable());
    EXPECT_EQ(toneTableForSystem(1), &geToneTable());
    EXPECT_EQ(toneTableForSystem(2), &plectronToneTable());
    EXPECT_EQ(toneTableForSystem(4), &plectronToneTable());
    EXPECT_EQ(toneTableForSystem(3), nullptr);
    EXPECT_EQ(toneTableForSystem(7), nullptr);
}

TEST(ToneTables, SnappingTakesTheNearestAndKeepsTheEarlierOnTies) {
    EXPECT_EQ(snapped(corvaneToneTable(), 1000.0), "1006.9");
    EXPECT_EQ(snapped(plectronToneTable(), 1000.0), "992.0");
    EXPECT_EQ(snapped(geToneTable(), 1000.0), "967.5");
    EXPECT_EQ(snapped(geToneTable(), 280.0), "517.5");
    EXPECT_EQ(snapped(plectronToneTable(), 3400.0), "3062.0");
    // 525.0 is 7.5 Hz from both 517.5 and 532.5.
    EXPECT_EQ(snapped(geToneTable(), 525.0), "517.5");
}

TEST(ToneTables, PreselectionPrefersTheExactTextThenTheNearest) {
    EXPECT_EQ(preselected(corvaneToneTable(), 3305), "330.5 (110)");
    EXPECT_EQ(preselected(geToneTable(), 5250), "517.5 (001)");
    EXPECT_EQ(preselected(corvaneToneTable(), 0), "288.5 (138)");
    EXPECT_EQ(preselected(geToneTable(), 0), "517.5 (001)");
    EXPECT_EQ(preselected(plectronToneTable(), 0), "307.8 (040)");
    EXPECT_EQ(preselected(plectronToneTable(), 30620), "3062.0 (037)");
}

TEST(ToneTables, EveryEntryConvertsToItsTenths) {
    EXPECT_EQ(entryTenths(corvaneToneTable().entries[79]), 24682);
    for (const ToneTable* t : {&corvaneToneTable(), &geToneTable(), &plectronToneTable()})
        for (const auto& e : t->entries) {
            char text[32];
            std::snprintf(text, sizeof text, "%3.1f", entryTenths(e) / 10.0);
            EXPECT_EQ(std::string(text), e.frequency);
        }
}

} // namespace
} // namespace quorl
