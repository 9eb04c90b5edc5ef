#include "codeplug/channel_option_lists.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/coding_options.h"
#include "codeplug/duty_availability.h"
#include "codeplug/tone_encoding.h"
#include "codeplug/tone_target.h"
#include "tests/support/test_files.h"
#include "tests/support/tone_slots.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

using test::grp;
using test::t1;
using test::t2;

class ToneStore : public ::testing::Test {
protected:
    void SetUp() override {
        state.loadBoth(test::validImage());
        ChannelBlock block(state.editImage, kChannel);
        for (int call = 1; call <= kCallCount; ++call) {
            block.setTone(t1(call), StoredTone{});
            block.setTone(t2(call), StoredTone{});
        }
        for (int g = 1; g <= kGroupCount; ++g)
            block.setTone(grp(g), StoredTone{});
    }
    ChannelBlock block() { return ChannelBlock(state.editImage, kChannel); }
    void setOption(int option) { block().setCodingOption(static_cast<std::uint8_t>(option)); }
    std::uint16_t t(ToneSlot s) { return block().tone(s).tenthsHz; }

    static constexpr int kChannel = 2;
    CodeplugState state;
};

TEST_F(ToneStore, WritesTheThreeBytesAtTheCurrentChannelAndSetsModified) {
    setOption(3);
    const auto before = state.editImage;
    EXPECT_EQ(storeTone1(state, kChannel, ToneTarget::forSlot(t1(1)), 10000), "1000.0");
    EXPECT_TRUE(state.modified);
    const Address e = layout::channelBase(kChannel) + 0x10;
    EXPECT_EQ(state.editImage.at(e), 0x10);
    EXPECT_EQ(state.editImage.at(e + 1), 0x27);
    EXPECT_EQ(state.editImage.at(e + 4), 33);
    EXPECT_EQ(state.editImage.at(e + 5), 7);
    // Nothing else changed, and the committed image is untouched.
    int changed = 0;
    for (Address a = 0; a < kImageSize; ++a)
        changed += state.editImage.at(a) != before.at(a);
    EXPECT_EQ(changed, 4);
    EXPECT_EQ(state.image, test::validImage());

    storeGroupTone(state, kChannel, ToneTarget::forSlot(grp(5)), 24682);
    const Address g5 = layout::channelBase(kChannel) + 0x74 + 24;
    EXPECT_EQ(state.editImage.at(g5), 0x6A);
    EXPECT_EQ(state.editImage.at(g5 + 1), 0x60);
    EXPECT_EQ(state.editImage.at(g5 + 2), 82);
    EXPECT_EQ(state.editImage.at(g5 + 3), 0);
}

// Where a stored tone 1 or tone 2 is copied to, by coding option: each slot listed holds
// the tone afterwards (0: stays empty).
TEST_F(ToneStore, CopiesFollowTheCodingOption) {
    struct Copy {
        std::vector<int> options;
        bool tone2;
        int call;
        std::uint16_t tenths;
        std::vector<std::pair<ToneSlot, std::uint16_t>> after;
    };
    const Copy cases[] = {
        {{0, 1, 2}, false, 1, 10069, {{t1(2), 10069}, {grp(1), 0}}},
        {{9}, false, 1, 10069, {{grp(1), 10069}, {t1(2), 0}}},
        {{3, 4, 5, 6, 7, 8, 10}, false, 1, 10069, {{t1(2), 0}, {grp(1), 0}}},
        // R468: Long B = Call 1 tone 2, Long C = Call 2 tone 2.
        {{0}, true, 1, 5105, {{grp(1), 5105}, {grp(2), 0}}},
        {{0}, true, 2, 7468, {{grp(2), 7468}, {grp(1), 0}}},
        {{1}, true, 2, 7468, {{grp(1), 7468}}}, // R130: Long C = Call 2 tone 2
        {{4, 5}, true, 1, 5105, {{grp(1), 5105}, {grp(2), 0}}},
        {{7}, true, 1, 5105, {{t2(2), 5105}, {grp(1), 0}}},    // R177: C - B
        {{8}, true, 1, 5105, {{t2(2), 5105}, {grp(1), 5105}}}, // R60
    };
    for (const Copy& c : cases)
        for (int option : c.options) {
            SCOPED_TRACE("option " + std::to_string(option) + (c.tone2 ? " tone 2" : " tone 1"));
            SetUp();
            setOption(option);
            const auto target = ToneTarget::forSlot(c.tone2 ? t2(c.call) : t1(c.call));
            (c.tone2 ? storeTone2 : storeTone1)(state, kChannel, target, c.tenths);
            for (const auto& [slot, tenths] : c.after)
                EXPECT_EQ(block().tone(slot), encodeTone(tenths));
        }
}

TEST_F(ToneStore, CopiesAreMadeEvenWithoutATargetAndGroupStoresCopyNothing) {
    setOption(0);
    block().setTone(t1(1), encodeTone(3305));
    // A picker calls all three stores; only the group store has a target here.
    const ToneTarget g2 = ToneTarget::forSlot(grp(2));
    storeTone1(state, kChannel, g2, 9281);
    EXPECT_EQ(t(t1(2)), 3305);
    storeGroupTone(state, kChannel, g2, 9281);
    EXPECT_EQ(t(grp(2)), 9281);
    EXPECT_EQ(t(t1(1)), 3305);
    // An index past the entries is not written anywhere.
    const auto before = state.editImage;
    storeTone1(state, kChannel, ToneTarget{11, 0, 0}, 9281);
    EXPECT_EQ(state.editImage, before);
}

TEST_F(ToneStore, TargetToneReadsTone1ThenTone2ThenGroup) {
    block().setTone(t1(3), encodeTone(3305));
    block().setTone(t2(4), encodeTone(5105));
    block().setTone(grp(2), encodeTone(7468));
    EXPECT_EQ(targetTone(state.editImage, kChannel, ToneTarget{3, 4, 2}).tenthsHz, 3305);
    EXPECT_EQ(targetTone(state.editImage, kChannel, ToneTarget{0, 4, 2}).tenthsHz, 5105);
    EXPECT_EQ(targetTone(state.editImage, kChannel, ToneTarget{0, 0, 2}).tenthsHz, 7468);
    EXPECT_EQ(targetTone(state.editImage, kChannel, ToneTarget{}).tenthsHz, 0);
}

TEST_F(ToneStore, FullCopiesAndZeroingKeepFlags) {
    setOption(10);
    for (int call = 1; call <= kCallCount; ++call) {
        block().setTone(t1(call), encodeTone(static_cast<std::uint16_t>(3000 + call)));
        block().setTone(t2(call), encodeTone(static_cast<std::uint16_t>(5000 + call)));
        block().setEntryFlags(call - 1, 0x35);
    }
    for (int g = 1; g <= kGroupCount; ++g) {
        block().setTone(grp(g), encodeTone(static_cast<std::uint16_t>(7000 + g)));
        block().setEntryFlags(kCallCount + g - 1, 0x22);
    }
    auto b = block();
    const auto& r468 = codingOption(0);
    EXPECT_TRUE(applyCodingCopies(b, r468));
    EXPECT_EQ(t(t1(2)), 3001);
    EXPECT_EQ(t(grp(1)), 5001);
    EXPECT_EQ(t(grp(2)), 5002);
    EXPECT_FALSE(applyCodingCopies(b, r468));

    EXPECT_TRUE(zeroUnusedEntries(b, codingOption(3)));
    EXPECT_EQ(t(t1(1)), 3001);
    for (int call = 2; call <= kCallCount; ++call) {
        EXPECT_EQ(block().tone(t1(call)), StoredTone{});
        EXPECT_EQ(block().tone(t2(call)), StoredTone{});
        EXPECT_EQ(block().entryFlags(call - 1), 0x35);
    }
    for (int g = 1; g <= kGroupCount; ++g) {
        EXPECT_EQ(block().tone(grp(g)), StoredTone{});
        EXPECT_EQ(block().entryFlags(kCallCount + g - 1), 0x22);
    }
}

TEST(CodingOptions, CountsLabelsAndCopies) {
    ASSERT_EQ(options::kCodingOption.size(), 11u);
    const auto& r468 = codingOption(0);
    EXPECT_EQ(r468.name, "R468");
    EXPECT_EQ(r468.calls, 2);
    EXPECT_EQ(r468.groups, 2);
    EXPECT_EQ(r468.callLabels[1], "A - C");
    EXPECT_EQ(r468.groupLabels[1], "Long C");
    EXPECT_EQ(copySource(r468, t1(2)), t1(1));
    EXPECT_EQ(copySource(r468, t2(2)), std::nullopt);
    EXPECT_EQ(codingOption(7).callLabels[1], "C - B");
    EXPECT_EQ(copySource(codingOption(7), t2(2)), t2(1));
    EXPECT_EQ(codingOption(9).groupLabels[0], "Long A");
    EXPECT_EQ(copySource(codingOption(6), grp(1)), std::nullopt); // Long C is its own
    EXPECT_EQ(codingOption(3).calls, 1);
    EXPECT_EQ(codingOption(3).groups, 0);
    const auto& none = codingOption(10);
    EXPECT_EQ(none.name, "R168 (None)");
    EXPECT_EQ(none.calls, 10);
    EXPECT_EQ(none.groups, 5);
    EXPECT_EQ(none.callLabels[0], "");
    EXPECT_TRUE(usesRow(none, 14));
    EXPECT_FALSE(usesRow(codingOption(3), 1));
    EXPECT_TRUE(usesRow(codingOption(4), 11));
    EXPECT_FALSE(usesRow(codingOption(4), 12));
    // A corrupt option byte reads as the most general option.
    EXPECT_EQ(codingOption(200).name, "R168 (None)");
}

TEST(ChannelBlockFields, ToneSystemAndResetFunctionKeepEachOther) {
    CodeplugImage img;
    ChannelBlock b(img, 1);
    img.set(b.base() + 9, 0xFF);
    b.setToneSystem(2);
    EXPECT_EQ(img.at(b.base() + 9), 0x72);
    img.set(b.base() + 9, 0xFF);
    b.setResetFunction(5);
    EXPECT_EQ(img.at(b.base() + 9), 0x57);
}

TEST(DutyAvailability, NeedsAnEnabledSwitchOnThisChannelOrSilentScan) {
    CodeplugImage img;
    // Switch 3 selects channel F2 (mode 1) but has duty disabled.
    const Address sw3 = 0x0282 + 6 * 3;
    img.set(sw3, 0x01);
    EXPECT_FALSE(dutyAvailable(img, 1));
    img.set(sw3 + 3, 0x01);
    EXPECT_TRUE(dutyAvailable(img, 1));
    EXPECT_FALSE(dutyAvailable(img, 0));
    // Silent Scan with duty enabled serves every channel; the mode is the low nibble.
    const Address sw7 = 0x0282 + 6 * 7;
    img.set(sw7, 0xFC);
    img.set(sw7 + 3, 0x01);
    EXPECT_TRUE(dutyAvailable(img, 4));
}

} // namespace
} // namespace quorl
