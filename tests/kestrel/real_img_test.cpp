#include "kestrel/real_img.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

long double Value(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                  std::uint8_t b4, std::uint8_t b5) {
    return Math::ToDouble(Math::TRealImg{{b0, b1, b2, b3, b4, b5}});
}

TEST(RealImgTest, ExponentAndSign) {
    EXPECT_EQ(Value(129, 0, 0, 0, 0, 0), 1.0L);
    EXPECT_EQ(Value(130, 0, 0, 0, 0, 0), 2.0L);
    EXPECT_EQ(Value(128, 0, 0, 0, 0, 0), 0.5L);
    EXPECT_EQ(Value(129, 0, 0, 0, 0, 0x80), -1.0L);
    EXPECT_EQ(Value(255, 0, 0, 0, 0, 0), std::ldexp(1.0L, 126));
    EXPECT_EQ(Value(1, 0, 0, 0, 0, 0), std::ldexp(1.0L, -128));
}

TEST(RealImgTest, FractionBytesAreLeastSignificantFirst) {
    // 1.5: the top fraction bit lies in bit 6 of b5.
    EXPECT_EQ(Value(129, 0, 0, 0, 0, 0x40), 1.5L);
    // 10.0 = 1.25 * 2^3.
    EXPECT_EQ(Value(132, 0, 0, 0, 0, 0x20), 10.0L);
    // The lowest fraction bit is bit 0 of b1: 1 + 2^-39.
    EXPECT_EQ(Value(129, 1, 0, 0, 0, 0), 1.0L + std::ldexp(1.0L, -39));
    // -12.34 as a six-byte real holds it: -1.5425 * 2^3 with the fraction cut at 39 bits.
    EXPECT_EQ(static_cast<double>(Value(0x84, 0x0A, 0xD7, 0xA3, 0x70, 0xC5)), -12.339999999996508);
}

TEST(RealImgTest, ZeroExponentIsZeroWhateverTheFraction) {
    const long double positive = Value(0, 0xFF, 0x12, 0x34, 0x56, 0x7F);
    EXPECT_EQ(positive, 0.0L);
    EXPECT_FALSE(std::signbit(positive));

    const long double negative = Value(0, 0xFF, 0, 0, 0, 0x80);
    EXPECT_EQ(negative, 0.0L);
    EXPECT_TRUE(std::signbit(negative));
}

} // namespace
