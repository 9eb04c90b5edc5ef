// Table codes, pages from tones, and the calls a page alerts.
#include "codeplug/default_codeplug.h"
#include "tones/page_grouping.h"
#include "tones/tone_matching.h"

#include <gtest/gtest.h>

namespace quorl::tones {
namespace {

std::string codes(double hz) {
    std::string s;
    for (const TableMatch& m : tableMatches(hz))
        s += std::string(s.empty() ? "" : ", ") + std::string(m.system) + " " + std::string(m.code);
    return s;
}

TEST(ToneMatching, NearestTableEntryWithinOnePercent) {
    // Worked out from the printed tables: 1 % of 349.0 is 3.49 Hz.
    const struct {
        double hz;
        const char* expected;
    } cases[] = {
        {349.0, "Corvane 111, Plectron 043"}, // Plectron 043 is 350.5
        {352.4, "Corvane 111, Plectron 043"}, // 3.4 Hz above 111
        {352.6, "Plectron 043"},              // 3.6 Hz: Corvane 111 is out of reach
        {520.0, "Corvane 149, GE 001, Plectron 052"},
        {525.0, "Corvane 149"}, // GE 001 and 002 both 7.5 Hz away: neither within 1 %
        {967.5, "GE 031"},      // Corvane 130 (979.9) and Plectron 010 (950.0) too far
        {3062.0, "Plectron 037"},
        {3200.0, ""},
        {250.0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(codes(c.hz), c.expected) << c.hz;
}

TEST(ToneMatching, PagesFromTones) {
    // start, duration, hz
    const struct {
        const char* name;
        std::vector<FoundTone> tones;
        std::vector<std::vector<double>> pages;
    } cases[] = {
        {"A - B", {{0, 1, 349, 0}, {1, 3, 832.5, 0}}, {{349, 832.5}}},
        {"stacked",
         {{0, 1, 349, 0}, {1, 3, 832, 0}, {4, 1, 600, 0}, {5, 3, 700, 0}},
         {{349, 832}, {600, 700}}},
        {"long then A - B",
         {{0, 8, 634.5, 0}, {8, 1, 349, 0}, {9, 3, 832, 0}},
         {{634.5}, {349, 832}}},
        {"pause too long", {{0, 1, 349, 0}, {2.2, 3, 832, 0}}, {{349}, {832}}},
        {"same tone twice", {{0, 1, 349, 0}, {1.5, 3, 349, 0}}, {{349}, {349}}},
    };
    for (const auto& c : cases) {
        const auto pages = groupPages(c.tones);
        ASSERT_EQ(pages.size(), c.pages.size()) << c.name;
        for (std::size_t i = 0; i < pages.size(); ++i)
            EXPECT_EQ(pages[i].hz, c.pages[i]) << c.name << ' ' << i;
    }
}

TEST(ToneMatching, CallsOfTheFactoryCodeplug) {
    const CodeplugImage image = makeDefaultCodeplug(vhfFiveChannelFactory());
    const struct {
        std::vector<double> hz;
        std::vector<std::string> expected;
    } cases[] = {
        {{349.0, 832.5}, {"F1 Call 1"}},
        {{351.0, 826.0}, {"F1 Call 1"}}, // both within 1 %
        {{349.0, 841.0}, {}},            // B is 8.5 Hz off: more than 1 %
        {{410.8, 634.5}, {"F3 Call 1"}}, // R468: A - B
        {{410.8, 746.8}, {"F3 Call 2"}}, // A - C
        {{634.5}, {"F3 Group 1"}},       // Long B
        {{746.8}, {"F3 Group 2"}},       // Long C
        {{832.5}, {}},                   // STD channels have no group call
        {{832.5, 349.0}, {}},            // order matters
    };
    for (const auto& c : cases) {
        std::vector<std::string> names;
        for (const PagedEntry& e : pagedEntries(image, {0, c.hz}))
            names.push_back(entryName(e));
        EXPECT_EQ(names, c.expected) << c.hz[0];
    }
}

} // namespace
} // namespace quorl::tones
