#include "kestrel/rounding.h"

#include <gtest/gtest.h>

namespace {

double Rounded(double x, int digits) {
    return static_cast<double>(Math::round(x, digits));
}

TEST(RoundingTest, HalvesGoTowardsPositiveInfinity) {
    EXPECT_EQ(Rounded(2.25, 1), 2.3);
    EXPECT_EQ(Rounded(-2.5, 0), -2.0);
    EXPECT_EQ(Rounded(2.5, 0), 3.0);
    EXPECT_EQ(Rounded(0.5, 0), 1.0);
    EXPECT_EQ(Rounded(-0.5, 0), 0.0);
    EXPECT_EQ(Rounded(-3.35, 1), -3.3);
}

TEST(RoundingTest, BelowHalfRoundsDownAboveHalfUp) {
    EXPECT_EQ(Rounded(3.49, 0), 3.0);
    EXPECT_EQ(Rounded(3.51, 0), 4.0);
    EXPECT_EQ(Rounded(-3.49, 0), -3.0);
    EXPECT_EQ(Rounded(-3.51, 0), -4.0);
    EXPECT_EQ(Rounded(1.2345, 3), 1.235);
}

TEST(RoundingTest, NegativeDigitCountRoundsToTensAndHundreds) {
    EXPECT_EQ(Rounded(1234.0, -1), 1230.0);
    EXPECT_EQ(Rounded(1235.0, -1), 1240.0);
    EXPECT_EQ(Rounded(1250.0, -2), 1300.0);
}

TEST(RoundingTest, ResultIsKeptInExtendedPrecision) {
    // The quotient is formed in extended precision: 23 / 10 is not the double 2.3.
    EXPECT_EQ(Math::round(2.25, 1), 23.0L / 10.0L);
}

} // namespace
