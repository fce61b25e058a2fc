#include "model/diagram_data.h"
#include "model/windows1252.h"

#include <gtest/gtest.h>

namespace {

using namespace Windows1252::Literals;
using TCoords = TDiagramData::TCoords;

constexpr bool N = true, S = false, W = true, E = false;

TEST(CoordsTextTest, CoordinatesText) {
    EXPECT_EQ(TCoords(52, 31, 13, 24, N, E).Text(), "52°31'N/13°24'E"_cp1252);
    EXPECT_EQ(TCoords(10, 0, 20, 0, N, W).Text(), "10°N/20°W"_cp1252);
    // Minutes are left out only when both are 0.
    EXPECT_EQ(TCoords(52, 0, 13, 31, S, E).Text(), "52°0'S/13°31'E"_cp1252);
    EXPECT_EQ(TCoords().Text(), "0°N/0°W"_cp1252);
}

TEST(CoordsTextTest, CoarseTextRoundsUpFromThirtyMinutes) {
    EXPECT_EQ(TCoords(52, 31, 13, 24, N, E).CoarseText(), "53°N/13°E"_cp1252);
    EXPECT_EQ(TCoords(52, 29, 13, 30, S, W).CoarseText(), "52°S/14°W"_cp1252);
    EXPECT_EQ(TCoords(90, 0, 179, 59, N, W).CoarseText(), "90°N/180°W"_cp1252);
}

struct PositionCase {
    TCoords A;
    TCoords B;
    int Grade;
};

class PositionSimilarityTest : public testing::TestWithParam<PositionCase> {};

TEST_P(PositionSimilarityTest, GradesBothWays) {
    const PositionCase& c = GetParam();
    EXPECT_EQ(c.A.Similarity(c.B), c.Grade) << c.A.Text() << " ~ " << c.B.Text();
    EXPECT_EQ(c.B.Similarity(c.A), c.Grade) << c.B.Text() << " ~ " << c.A.Text();
}

INSTANTIATE_TEST_SUITE_P(
    Positions, PositionSimilarityTest,
    testing::Values(PositionCase{{52, 31, 13, 24, N, E}, {52, 31, 13, 24, N, E}, 5},
                    PositionCase{{52, 31, 13, 24, N, E}, {52, 38, 13, 30, N, E}, 4},
                    // Nine minutes across a degree line are still near; ten are not.
                    PositionCase{{52, 55, 13, 24, N, E}, {53, 4, 13, 24, N, E}, 4},
                    PositionCase{{52, 31, 13, 24, N, E}, {52, 41, 13, 24, N, E}, 3},
                    // Other hemisphere: not near, other coarse text, but the same degrees.
                    PositionCase{{52, 31, 13, 24, N, E}, {52, 31, 13, 24, S, E}, 2},
                    PositionCase{{0, 5, 0, 5, N, W}, {0, 5, 0, 5, N, E}, 2},
                    // Same coarse position, far apart in minutes.
                    PositionCase{{52, 31, 13, 24, N, E}, {52, 50, 13, 10, N, E}, 3},
                    PositionCase{{52, 10, 13, 24, N, E}, {52, 40, 13, 24, N, E}, 2},
                    PositionCase{{52, 31, 13, 24, N, E}, {48, 8, 11, 34, N, E}, 0}));

TEST(CoordsValidationTest, RangeLimitsAreInclusive) {
    EXPECT_NO_THROW(TCoords(90, 0, 180, 0, N, W));
    EXPECT_NO_THROW(TCoords(0, 59, 0, 59, S, E));
    EXPECT_THROW(TCoords(91, 0, 0, 0, N, W), TCoords::TXCoordDegreeOutOfRange);
    EXPECT_THROW(TCoords(-1, 0, 0, 0, N, W), TCoords::TXCoordDegreeOutOfRange);
    EXPECT_THROW(TCoords(0, 60, 0, 0, N, W), TCoords::TXCoordMinuteOutOfRange);
    EXPECT_THROW(TCoords(0, 0, 181, 0, N, W), TCoords::TXCoordDegreeOutOfRange);
    EXPECT_THROW(TCoords(0, 0, 0, 60, N, W), TCoords::TXCoordMinuteOutOfRange);
    EXPECT_THROW(TCoords(0, 0, 0, -1, N, W), TCoords::TXCoordMinuteOutOfRange);
}

std::string MessageOf(const TCoords& coords) {
    try {
        coords.Validate();
    } catch (const TDiagramData::TXBase& error) {
        return error.what();
    }
    return "(valid)";
}

TEST(CoordsValidationTest, FirstBadValueInOrderIsReportedWithItsLabel) {
    TCoords coords;
    EXPECT_THROW(coords.SetLongitudeMinutes(75), TCoords::TXCoordMinuteOutOfRange);
    EXPECT_EQ(MessageOf(coords), "Datenbank: Koordinate für Geografische Länge (Minuten) "
                                 "außerhalb des gültigen Bereichs: 75"_cp1252);
    EXPECT_THROW(coords.SetLongitudeDegrees(200), TCoords::TXCoordDegreeOutOfRange);
    EXPECT_EQ(MessageOf(coords), "Datenbank: Koordinate für Geografische Länge (Grad) "
                                 "außerhalb des gültigen Bereichs: 200"_cp1252);
    EXPECT_THROW(coords.SetLatitudeMinutes(60), TCoords::TXCoordMinuteOutOfRange);
    EXPECT_EQ(MessageOf(coords), "Datenbank: Koordinate für Geografische Breite (Minuten) "
                                 "außerhalb des gültigen Bereichs: 60"_cp1252);
    EXPECT_THROW(coords.SetLatitudeDegrees(95), TCoords::TXCoordDegreeOutOfRange);
    EXPECT_EQ(MessageOf(coords), "Datenbank: Koordinate für Geografische Breite (Grad) "
                                 "außerhalb des gültigen Bereichs: 95"_cp1252);
    // The refused values stay set.
    EXPECT_EQ(coords.LatitudeDegrees(), 95);
    EXPECT_EQ(coords.LongitudeMinutes(), 75);
}

TEST(CoordsValidationTest, ExceptionKeepsTheValue) {
    try {
        TCoords(0, 0, -3, 0, N, W);
        FAIL();
    } catch (const TCoords::TXCoordDegreeOutOfRange& error) {
        EXPECT_EQ(error.Value(), -3);
        EXPECT_STREQ(error.what(), "Datenbank: Koordinate für Geografische Länge (Grad) "
                                   "außerhalb des gültigen Bereichs: -3"_cp1252);
    }
}

TEST(CoordsTest, NewPositionIsZeroNorthWest) {
    const TCoords coords;
    EXPECT_EQ(coords.LatitudeDegrees(), 0);
    EXPECT_EQ(coords.LongitudeMinutes(), 0);
    EXPECT_TRUE(coords.IsNorth());
    EXPECT_TRUE(coords.IsWest());
}

} // namespace
