#include "base/decimal_text.h"

#include <clocale>
#include <gtest/gtest.h>

namespace quorl {
namespace {

TEST(DecimalText, FormatsWithAPointAndRoundsToNearest) {
    EXPECT_EQ(decimalText(45.1, 6), "45.100000");
    EXPECT_EQ(decimalText(330.5, 1), "330.5");
    EXPECT_EQ(decimalText(0.512, 3), "0.512");
    EXPECT_EQ(decimalText(12.0, 2), "12.00");
    EXPECT_EQ(decimalText(2.96, 1), "3.0");
    EXPECT_EQ(decimalText(173.99999999, 6), "174.000000");
    EXPECT_EQ(decimalText(7.0, 0), "7");
    EXPECT_EQ(decimalText(-0.0001, 2), "0.00");
    EXPECT_EQ(decimalText(-1.25, 1), "-1.2");
}

TEST(DecimalText, ParsesOnlyPlainDecimals) {
    EXPECT_EQ(parseDecimalText("0.52"), 0.52);
    EXPECT_EQ(parseDecimalText("330.5"), 330.5);
    EXPECT_EQ(parseDecimalText("12"), 12.0);
    EXPECT_EQ(parseDecimalText(".5"), 0.5);
    EXPECT_EQ(parseDecimalText("5."), 5.0);
    for (const char* bad : {"", ".", "nan", "inf", "1e3", "0x10", "-1", "+1", "1.2.3", "0,52", " 1",
                            "1 ", "NaN", "infinity"}) {
        EXPECT_FALSE(parseDecimalText(bad).has_value()) << bad;
    }
}

TEST(DecimalText, IgnoresADecimalCommaLocale) {
    const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
    if (german == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    EXPECT_EQ(decimalText(45.1, 6), "45.100000");
    EXPECT_EQ(parseDecimalText("330.5"), 330.5);
    EXPECT_FALSE(parseDecimalText("330,5").has_value());
    std::setlocale(LC_ALL, "C");
}

} // namespace
} // namespace quorl
