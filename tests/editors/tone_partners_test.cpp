#include "codeplug/tone_encoding.h"
#include "editors/tone_partners.h"
#include "tests/support/tone_slots.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

using test::grp;
using test::t1;
using test::t2;

enum { R468, R130, R97, STD, R134, R138, R362, R177, R60, R621, R168 };

// Partner rules of the named coding options: which other tone a typed tone is
// pulled to when within 1.55 %.
TEST(TonePartners, NamedPartnersPerOption) {
    CodeplugImage img;
    ChannelBlock b(img, 0);
    b.setTone(t1(1), encodeTone(10000));
    b.setTone(t2(1), encodeTone(20000));
    b.setTone(t1(2), encodeTone(12000));
    b.setTone(t2(2), encodeTone(22000));
    b.setTone(grp(1), encodeTone(15000));
    b.setTone(grp(2), encodeTone(17000));
    const ConstChannelBlock c(img, 0);
    struct Case {
        int option;
        ToneSlot slot;
        double typed;
        double expected; // 0: no partner
    };
    const Case cases[] = {
        {R134, t1(1), 1690.0, 1700.0},
        {R362, t1(1), 1490.0, 1500.0},
        {R177, t1(1), 1190.0, 1200.0},
        {R60, t1(1), 1190.0, 1200.0},
        {R177, t1(2), 1010.0, 1000.0},
        {R60, t1(2), 990.0, 1000.0},
        {R468, t2(1), 2190.0, 2200.0},
        {R130, t2(1), 2190.0, 2200.0},
        {R97, t2(1), 2190.0, 2200.0},
        {R134, t2(1), 1690.0, 1700.0},
        {R362, t2(1), 1510.0, 1500.0},
        {R468, t2(2), 2010.0, 2000.0},
        {R97, t2(2), 2010.0, 2000.0},
        // Options without that partner leave the tone alone.
        {STD, t1(1), 1190.0, 0},
        {R468, t1(1), 1190.0, 0},
        {R138, t2(1), 2190.0, 0},
        {R621, t2(1), 2190.0, 0},
        {R177, t2(2), 2010.0, 0},
        // Outside the band, or equal, nothing to do.
        {R177, t1(1), 1220.0, 0},
        {R177, t1(1), 1200.0, 0},
    };
    for (const Case& k : cases) {
        const auto p = matchPartner(c, k.option, k.slot, k.typed, k.typed, false);
        if (k.expected == 0) {
            EXPECT_FALSE(p) << k.option << " " << k.typed;
        } else {
            ASSERT_TRUE(p) << k.option << " " << k.typed;
            EXPECT_DOUBLE_EQ(*p, k.expected) << k.option;
        }
    }
}

TEST(TonePartners, OwnLongCUsesTheSnappedToneAndTriesToneAFirst) {
    CodeplugImage img;
    ChannelBlock b(img, 0);
    b.setTone(t1(1), encodeTone(10000));
    b.setTone(t2(1), encodeTone(10200)); // both within 1.55 % of 1010
    const ConstChannelBlock c(img, 0);
    EXPECT_TRUE(isOwnLongC(R134, grp(2)));
    EXPECT_TRUE(isOwnLongC(R362, grp(1)));
    EXPECT_FALSE(isOwnLongC(R134, grp(1)));
    // Typed 2000 but snapped to 1010: the snapped value decides.
    auto p = matchPartner(c, R134, grp(2), 2000.0, 1010.0, false);
    ASSERT_TRUE(p);
    EXPECT_DOUBLE_EQ(*p, 1000.0);
    p = matchPartner(c, R362, grp(1), 1019.0, 1019.0, true);
    ASSERT_TRUE(p);
    EXPECT_DOUBLE_EQ(*p, 1020.0);
    EXPECT_FALSE(matchPartner(c, R134, grp(2), 1010.0, 2000.0, false));
}

TEST(TonePartners, NoneOptionSearchesEveryToneUnlessTheSystemChanged) {
    CodeplugImage img;
    ChannelBlock b(img, 0);
    b.setTone(grp(5), encodeTone(10000));
    b.setTone(t2(10), encodeTone(10000));
    const ConstChannelBlock c(img, 0);
    // An equal tone counts; the tone's own kind is searched first.
    auto p = matchPartner(c, R168, t1(1), 1000.0, 1000.0, false);
    ASSERT_TRUE(p);
    EXPECT_DOUBLE_EQ(*p, 1000.0);
    EXPECT_FALSE(matchPartner(c, R168, t1(1), 1000.0, 1000.0, true));
    // A tone is never its own partner.
    EXPECT_FALSE(matchPartner(ConstChannelBlock(img, 0), R168, grp(5), 1005.0, 1005.0, false) ==
                 std::nullopt);
    b.setTone(t2(10), StoredTone{});
    EXPECT_FALSE(matchPartner(ConstChannelBlock(img, 0), R168, grp(5), 1005.0, 1005.0, false));
}

TEST(TonePartners, SpacingIsInclusive) {
    EXPECT_TRUE(tooClose(1015.5, 1000.0));
    EXPECT_TRUE(tooClose(1000.0, 1000.0));
    EXPECT_FALSE(tooClose(1016.0, 1000.0));
    EXPECT_FALSE(tooClose(1000.0, 0.0));
}

} // namespace
} // namespace quorl
