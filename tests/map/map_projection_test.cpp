#include "map/map_projection.h"

#include <gtest/gtest.h>

namespace {

TDiagramData::TCoords At(int latDeg, int latMin, bool north, int longDeg, int longMin, bool west) {
    return {latDeg, latMin, longDeg, longMin, north, west};
}

TEST(GeoPointTest, MinutesFromThirtyRoundUpAndSouthAndEastAreNegative) {
    EXPECT_EQ(GeoPointOf(At(52, 29, true, 13, 24, false)), (TGeoPoint{-13, 52}));
    EXPECT_EQ(GeoPointOf(At(52, 30, true, 13, 30, false)), (TGeoPoint{-14, 53}));
    EXPECT_EQ(GeoPointOf(At(33, 52, false, 151, 12, false)), (TGeoPoint{-151, -34}));
    EXPECT_EQ(GeoPointOf(At(40, 43, true, 74, 1, true)), (TGeoPoint{74, 41}));
}

TEST(EuropeAreaTest, Limits) {
    EXPECT_TRUE(InEuropeArea({34, 72}));
    EXPECT_TRUE(InEuropeArea({-42, 35}));
    EXPECT_FALSE(InEuropeArea({-45, 40})); // 40°N, 45°E
    EXPECT_FALSE(InEuropeArea({35, 50}));
    EXPECT_FALSE(InEuropeArea({0, 34}));
    EXPECT_FALSE(InEuropeArea({0, 73}));
}

TEST(WorldProjectionTest, GreenwichEquatorAndPoles) {
    const TWorldProjection world;
    EXPECT_EQ(world.ToPixel({0, 0}), (TPoint{313, 220}));
    EXPECT_EQ(world.ToPixel({0, 90}).Y, 0);
    EXPECT_EQ(world.ToPixel({0, -90}).Y, 399);
    EXPECT_EQ(world.ToPixel({-180, 0}).X, 620); // 180°E
    EXPECT_EQ(world.ToPixel({180, 0}).X, 6);    // 180°W
    // Berlin, 52°N 13°E: x = -13 * -264/155 + 313 = 335.1; y = -52 * 2.078 + 220 = 111.9.
    EXPECT_EQ(world.ToPixel({-13, 52}), (TPoint{335, 112}));
    EXPECT_EQ(world.PictureSize(), (TSize{646, 400}));
}

TEST(WorldProjectionTest, PixelRectangleToDegrees) {
    const TWorldProjection world;
    const TGeoRect equator = world.ToGeographic({313, 220, 313, 220});
    EXPECT_EQ(equator, (TGeoRect{0, 0, 0, 0}));
    // The left edge uses 1/254 and the right edge 1/264.
    const TGeoRect rect = world.ToGeographic({300, 100, 350, 150});
    EXPECT_EQ(rect.Left, -22); // (313 - 350) / 264 * 155 = -21.7
    EXPECT_EQ(rect.Right, 8);  // (313 - 300) / 254 * 155 = 7.9
    // Row 100 lies at 56°N and row 150 at 35°N; the rectangle is normalised.
    EXPECT_EQ(rect.Top, 35);
    EXPECT_EQ(rect.Bottom, 56);
}

TEST(EuropeProjectionTest, BandsAndTheNorwegianShift) {
    const TEuropeProjection europe;
    EXPECT_EQ(europe.ToPixel({0, 45}).Y, 326);
    EXPECT_EQ(europe.ToPixel({0, 60}).Y, 152);
    EXPECT_EQ(europe.ToPixel({0, 65}).Y, 85);
    EXPECT_EQ(europe.ToPixel({0, 35}).Y, 416);
    EXPECT_EQ(europe.ToPixel({0, 50}).Y, 269);
    // 62°N 5°E lies 8 pixels right of the linear formula: 5 * 8.333 + 286.33 = 328 + 8.
    EXPECT_EQ(europe.ToPixel({-5, 62}).X, 336);
    EXPECT_EQ(europe.ToPixel({-5, 58}).X, 328);
    EXPECT_EQ(europe.ToPixel({34, 50}).X, 3);
    EXPECT_EQ(europe.ToPixel({-42, 50}).X, 636);
}

TEST(EuropeProjectionTest, PixelRectangleToDegrees) {
    const TEuropeProjection europe;
    EXPECT_EQ(europe.ToGeographic({3, 326, 3, 326}), (TGeoRect{34, 45, 34, 45}));
    const TGeoRect rect = europe.ToGeographic({286, 155, 336, 416});
    EXPECT_EQ(rect, (TGeoRect{-6, 35, 0, 60}));
    EXPECT_EQ(europe.ToGeographic({0, 0, 0, 0}).Top, 71);
}

} // namespace
