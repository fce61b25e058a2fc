#include "model/fixed.h"
#include "support/printers.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using Math::Tenths;
using Math::Whole;
using Hundredths = Math::fixed<long, 2>;

Tenths T(std::int64_t tenths) {
    return Tenths::FromUnits(tenths);
}

struct ReadCase {
    const char* Text;
    std::int64_t Tenths;
    bool Negative;
};

class TenthsReadingTest : public testing::TestWithParam<ReadCase> {};

TEST_P(TenthsReadingTest, ReadsWithRoundingOfTheSecondDigit) {
    const ReadCase& c = GetParam();
    const Tenths value = Tenths::FromText(c.Text);
    EXPECT_EQ(value.Units(), c.Tenths) << '"' << c.Text << '"';
    EXPECT_EQ(value.IsNegative(), c.Negative) << '"' << c.Text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TenthsReadingTest,
    testing::Values(ReadCase{"12.3", 123, false}, ReadCase{"7", 70, false},
                    ReadCase{"0.05", 1, false},  // leading zeros of the fraction count
                    ReadCase{"0.04", 0, false},  //
                    ReadCase{"3.25", 33, false}, // half up
                    ReadCase{"12.34", 123, false}, ReadCase{"12.35", 124, false},
                    ReadCase{"12.349", 123, false}, // digits after the second are ignored
                    ReadCase{"9.96", 100, false},   // carry into the integer part
                    ReadCase{"-9.96", -100, true}, ReadCase{"-0.5", -5, true},
                    ReadCase{"-0.05", -1, true}, ReadCase{"-0.04", 0, false}, // no -0.0
                    ReadCase{"-0.0", 0, false}, ReadCase{"-7", -70, true},
                    ReadCase{"12,3", 123, false}, // the decimal comma of the dialogs
                    ReadCase{"  -5.5", -55, true}, ReadCase{"+4.2", 42, false},
                    ReadCase{"5.", 50, false}, ReadCase{"-.5", -5, true},
                    ReadCase{"1.2.3", 12, false}, ReadCase{"42mm", 420, false},
                    ReadCase{"", 0, false}, ReadCase{"abc", 0, false}, ReadCase{"-", 0, false}));

TEST(FixedReadingTest, WholeNumbersStopAtThePoint) {
    EXPECT_EQ(Whole::FromText("52"), Whole(52));
    EXPECT_EQ(Whole::FromText("-12"), Whole(-12));
    EXPECT_EQ(Whole::FromText("52.7"), Whole(52));
    EXPECT_EQ(Whole::FromText(" 7x"), Whole(7));
    EXPECT_EQ(Whole::FromText(""), Whole(0));
}

TEST(FixedReadingTest, HugeNumbersStayAtTheLimitOfTheIntegerPart) {
    constexpr auto highest = std::numeric_limits<std::int32_t>::max();
    constexpr auto lowest = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(Whole::FromText("99999999999999999999999").IntegerPart(), highest);
    EXPECT_EQ(Whole::FromText("-99999999999999999999999").IntegerPart(), lowest);
    const Tenths big = Tenths::FromText("4294967296.95");
    EXPECT_EQ(big.IntegerPart(), highest);
    EXPECT_EQ(big.FractionPart(), 9);
}

TEST(FixedFieldsTest, BothPartsCarryTheSignOfTheValue) {
    const Tenths minusHalf = Tenths::FromText("-0.5");
    EXPECT_EQ(minusHalf.IntegerPart(), 0);
    EXPECT_EQ(minusHalf.FractionPart(), -5);
    EXPECT_TRUE(minusHalf.IsNegative());

    const Tenths minusOneAndAHalf = T(-15);
    EXPECT_EQ(minusOneAndAHalf.IntegerPart(), -1);
    EXPECT_EQ(minusOneAndAHalf.FractionPart(), -5);

    const Whole minusThree(-3);
    EXPECT_EQ(minusThree.IntegerPart(), -3);
    EXPECT_TRUE(minusThree.IsNegative());
    EXPECT_FALSE(Whole(0).IsNegative());
}

TEST(FixedArithmeticTest, ResultsAreNormalised) {
    const Tenths a = T(5) + T(-10); // 0.5 + -1.0
    EXPECT_EQ(a.IntegerPart(), 0);
    EXPECT_EQ(a.FractionPart(), -5);
    EXPECT_TRUE(a.IsNegative());

    const Tenths carry = T(7) + T(8); // 0.7 + 0.8
    EXPECT_EQ(carry.IntegerPart(), 1);
    EXPECT_EQ(carry.FractionPart(), 5);

    const Tenths zero = T(-7) + T(7);
    EXPECT_FALSE(zero.IsNegative());
    EXPECT_EQ(zero.Text(), "0.0");

    EXPECT_EQ(T(12) - T(25), T(-13));
    EXPECT_EQ(-T(15), T(-15));
}

TEST(FixedArithmeticTest, ScalingTruncatesTowardZero) {
    EXPECT_EQ((Hundredths(T(1001)) * 100 / 1200).Units(), 834);
    EXPECT_EQ((Hundredths(T(-1001)) * 100 / 1200).Units(), -834);
}

TEST(FixedArithmeticTest, RoundingToFewerDigitsGoesHalfAwayFromZero) {
    EXPECT_EQ(Hundredths::FromUnits(834).RoundedTo<1>(), T(83));
    EXPECT_EQ(Hundredths::FromUnits(835).RoundedTo<1>(), T(84));
    EXPECT_EQ(Hundredths::FromUnits(-834).RoundedTo<1>(), T(-83));
    EXPECT_EQ(Hundredths::FromUnits(-835).RoundedTo<1>(), T(-84));
    EXPECT_EQ(Hundredths::FromUnits(-4).RoundedTo<1>().IsNegative(), false);
}

TEST(FixedComparisonTest, OrdersByIntegerThenFraction) {
    EXPECT_LT(T(-15), T(-5));
    EXPECT_LT(T(-5), T(0));
    EXPECT_LT(T(0), T(5));
    EXPECT_LT(T(12), T(13));
    EXPECT_LT(T(19), T(20));
    EXPECT_EQ(Tenths::FromText("-0.0"), Tenths(0));
}

TEST(FixedTextTest, TextFormsWithPointAndWithComma) {
    EXPECT_EQ(T(-5).Text(), "-0.5");
    EXPECT_EQ(T(-15).Text(), "-1.5");
    EXPECT_EQ(Tenths(3).Text(), "3.0");
    EXPECT_EQ(T(-70).Text(), "-7.0");
    EXPECT_EQ(T(0).Text(), "0.0");
    EXPECT_EQ(T(123).Text(), "12.3");
    EXPECT_EQ(T(-5).DisplayText(), "-0,5");
    EXPECT_EQ(T(-15).DisplayText(), "-1,5");
    EXPECT_EQ(Tenths(3).DisplayText(), "3,0");
    EXPECT_EQ(Hundredths::FromUnits(-5).Text(), "-0.05");
    EXPECT_EQ(Whole(-12).Text(), "-12");
    EXPECT_EQ(Whole(120).DisplayText(), "120");
}

TEST(FixedTextTest, TextReadsBackToTheSameValue) {
    const auto readsBack = [](auto value) {
        const auto read = decltype(value)::FromText(value.Text());
        return read == value && read.IsNegative() == value.IsNegative();
    };
    for (std::int64_t units = -2000; units <= 2000; ++units) {
        ASSERT_TRUE(readsBack(T(units))) << units;
        ASSERT_TRUE(readsBack(Whole::FromUnits(units))) << units;
    }
    // Up to the limits of the integer part, beyond the nine digits of the short way.
    for (const std::int64_t whole : {99'999'999LL, 999'999'999LL, 1'000'000'000LL, 2'147'483'647LL})
        for (const std::int64_t sign : {1, -1}) {
            ASSERT_TRUE(readsBack(T(sign * (whole * 10 + 7)))) << whole;
            ASSERT_TRUE(readsBack(Whole::FromUnits(sign * whole))) << whole;
        }
    ASSERT_TRUE(readsBack(Whole::FromUnits(std::numeric_limits<std::int32_t>::min())));
    ASSERT_TRUE(readsBack(Hundredths::FromUnits(-5)));
}

} // namespace
