#include "model/diagram_data.h"

#include <gtest/gtest.h>

namespace {

using TAltitude = TDiagramData::TAltitude;

TEST(AltitudeTest, SimilarityFallsByHalfAGradePerMetre) {
    const TAltitude base(100);
    const int expected[] = {5, 5, 4, 4, 3, 3, 2, 2, 1, 1, 0, 0, 0};
    for (int d = 0; d <= 12; ++d) {
        EXPECT_EQ(base.Similarity(TAltitude(100 + d)), expected[d]) << "difference " << d;
        EXPECT_EQ(TAltitude(100 + d).Similarity(base), expected[d]) << "difference " << d;
    }
    EXPECT_EQ(TAltitude(-5).Similarity(TAltitude(5)), 0);
    EXPECT_EQ(TAltitude(-2147483647).Similarity(TAltitude(2147483647)), 0);
}

TEST(AltitudeTest, TextAndUncheckedValues) {
    EXPECT_EQ(TAltitude(120).Text(), "120m");
    EXPECT_EQ(TAltitude(-12).Text(), "-12m");
    EXPECT_EQ(TAltitude().Text(), "0m");
}

} // namespace
