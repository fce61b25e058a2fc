#include "map/map_projection.h"

#include <algorithm>
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
    // Both edges use 155/264; the rectangle is normalised.
    const TGeoArea rect = world.ToGeographic({300, 100, 350, 150});
    EXPECT_DOUBLE_EQ(rect.Left, -37 * 155.0 / 264);
    EXPECT_DOUBLE_EQ(rect.Right, 13 * 155.0 / 264);
    EXPECT_NEAR(rect.Top, 37.891, 0.001);
    EXPECT_NEAR(rect.Bottom, 55.767, 0.001);
    // The rows end at 80°N and near 71°S.
    EXPECT_NEAR(world.ToGeographic({0, 0, 0, 0}).Top, 80.0, 1e-9);
    EXPECT_NEAR(world.ToGeographic({0, 399, 0, 399}).Top, -71.298, 0.001);
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
    const TGeoArea rect = europe.ToGeographic({286, 152, 336, 416});
    EXPECT_NEAR(rect.Left, -5.96, 1e-12); // a third of a pixel west of 6°E
    EXPECT_NEAR(rect.Right, 0.04, 1e-12);
    EXPECT_EQ(rect.Top, 35.0);
    EXPECT_EQ(rect.Bottom, 60.0);
}

// Project of the inverse gives every pixel back, so that the areas fit the markers; the rows
// that no latitude reaches aside.
void ExpectInverseUndoesProjection(const TMapProjection& projection,
                                   std::initializer_list<int> unreachedRows = {}) {
    for (int row = 0; row < projection.PictureSize().Height; ++row) {
        if (std::find(unreachedRows.begin(), unreachedRows.end(), row) != unreachedRows.end())
            continue;
        const TGeoArea area = projection.ToGeographic({0, row, 0, row});
        EXPECT_NEAR(projection.Project(10, area.Top).Y, row, 1e-9) << "row " << row;
    }
    for (int column = 0; column < projection.PictureSize().Width; ++column) {
        const TGeoArea area = projection.ToGeographic({column, 0, column, 0});
        EXPECT_NEAR(projection.Project(area.Left, 45).X, column, 1e-9) << "column " << column;
    }
}

TEST(WorldProjectionTest, TheInverseUndoesTheProjection) {
    ExpectInverseUndoesProjection(TWorldProjection());
}

TEST(EuropeProjectionTest, TheInverseUndoesTheProjection) {
    const TEuropeProjection europe;
    ExpectInverseUndoesProjection(europe, {153, 154, 155});
    // The picture jumps from just south of 60° at row 155 to 60° at row 152.
    for (const int row : {153, 154, 155})
        EXPECT_EQ(europe.ToGeographic({0, row, 0, row}).Top, 60.0);
    EXPECT_NEAR(europe.ToGeographic({0, 156, 0, 156}).Top, 59.9, 0.1);
}

// Norway's west coast lies 8 pixels east of the formula, where its markers meet those of 6°E: a
// box around them holds both.
TEST(EuropeProjectionTest, AreasFollowTheNorwegianShift) {
    const TEuropeProjection europe;
    for (const TGeoPoint station : {TGeoPoint{-5, 60}, TGeoPoint{-6, 60}}) {
        const TPoint at = europe.ToPixel(station);
        const TGeoArea area = europe.ToGeographic({at.X - 3, at.Y - 3, at.X + 3, at.Y + 3});
        const TMapProjection::TExact shown = europe.ShownAt(station);
        EXPECT_TRUE(area.Contains(shown.X, shown.Y)) << station.X;
    }
}

} // namespace
