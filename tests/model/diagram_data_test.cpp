#include "model/diagram_data.h"
#include "model/windows1252.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {

using namespace Windows1252::Literals;
using Math::Tenths;

TDiagramData Station(const char* name, TDiagramData::TCoords coords, long altitude) {
    TDiagramData record;
    record.SetPlace(TDiagramData::TPlace(name));
    record.SetCoords(coords);
    record.SetAltitude(TDiagramData::TAltitude(altitude));
    TDiagramData::TMonthValues temperatures{};
    TDiagramData::TMonthValues precipitation{};
    for (int month = 0; month < 12; ++month) {
        temperatures[month] = Tenths::FromUnits(10 * month - 30);
        precipitation[month] = Tenths::FromUnits(400 + 7 * month);
    }
    record.SetTemperatures(TDiagramData::TTemperatureData(temperatures));
    record.SetPrecipitation(TDiagramData::TPrecipitationData(precipitation));
    return record;
}

TDiagramData Koeln() {
    return Station("Köln/Deutschland"_cp1252, {50, 56, 6, 57, true, false}, 37);
}

TEST(DiagramDataTest, NewRecordHasTheDefaults) {
    const TDiagramData record;
    EXPECT_EQ(record.Place().Name(), "");
    EXPECT_THROW(record.Place().Validate(), TDiagramData::TPlace::TXInvalidPlaceName);
    EXPECT_EQ(record.Coords(), TDiagramData::TCoords());
    EXPECT_EQ(record.Altitude().Value(), 0);
    EXPECT_EQ(record.Temperatures().Values(), TDiagramData::TMonthValues{});
    EXPECT_EQ(record.Precipitation().Total(), Tenths(0));
    EXPECT_FALSE(record.IsChanged());
    EXPECT_FALSE(record.IsDisplayed());
}

TEST(DiagramDataTest, CopiesAreDeepAndIdentical) {
    const TDiagramData original = Koeln();
    TDiagramData copy = original;
    EXPECT_TRUE(copy.IsIdentical(original));

    TDiagramData::TTemperatureData warmer = copy.Temperatures();
    warmer.SetMonth(0, Tenths(5));
    copy.SetTemperatures(warmer);
    EXPECT_FALSE(copy.IsIdentical(original));
    EXPECT_EQ(original.Temperatures().Month(0), Tenths::FromUnits(-30));

    copy = original;
    EXPECT_TRUE(copy.IsIdentical(original));
}

TEST(DiagramDataTest, IdentityNeedsEveryValue) {
    const TDiagramData koeln = Koeln();
    auto differing = [&](auto change) {
        TDiagramData other = koeln;
        change(other);
        return other.IsIdentical(koeln);
    };
    EXPECT_FALSE(differing(
        [](TDiagramData& r) { r.SetPlace(TDiagramData::TPlace("köln/deutschland"_cp1252)); }));
    EXPECT_FALSE(differing([](TDiagramData& r) {
        TDiagramData::TCoords coords = r.Coords();
        coords.SetWest(true);
        r.SetCoords(coords);
    }));
    EXPECT_FALSE(differing([](TDiagramData& r) { r.SetAltitude(TDiagramData::TAltitude(38)); }));
    EXPECT_FALSE(differing([](TDiagramData& r) {
        TDiagramData::TPrecipitationData precipitation = r.Precipitation();
        precipitation.SetMonth(11, Tenths::FromUnits(1));
        r.SetPrecipitation(precipitation);
    }));
    // Replacing a component by an equal one changes nothing.
    EXPECT_TRUE(differing([](TDiagramData& r) { r.SetAltitude(TDiagramData::TAltitude(37)); }));
}

TEST(DiagramDataTest, SimilarityIsTheRoundedMeanOfThreeGrades) {
    const TDiagramData koeln = Koeln();
    // 5 + 5 + 5: temperatures and precipitation take no part.
    TDiagramData sameButClimate =
        Station("Köln/Deutschland"_cp1252, {50, 56, 6, 57, true, false}, 37);
    sameButClimate.SetTemperatures(TDiagramData::TTemperatureData());
    EXPECT_EQ(koeln.Similarity(sameButClimate), 5);
    // 3 + 4 + 4 = 11 -> 3.67 -> 4
    EXPECT_EQ(koeln.Similarity(Station("Koeln/Deutschland", {50, 52, 6, 59, true, false}, 40)), 4);
    // 5 + 0 + 0 = 5 -> 1.67 -> 2
    EXPECT_EQ(
        koeln.Similarity(Station("Köln/Deutschland"_cp1252, {10, 0, 6, 57, false, true}, 900)), 2);
    // 2 + 2 + 0 = 4 -> 1.33 -> 1
    EXPECT_EQ(koeln.Similarity(Station("Kölner Bucht/NRW"_cp1252, {50, 10, 6, 10, true, false}, 0)),
              1);
    // 0 + 0 + 1 = 1 -> 0.33 -> 0
    EXPECT_EQ(koeln.Similarity(Station("Paris/Frankreich", {48, 49, 2, 29, true, false}, 46)), 0);
}

TEST(DiagramDataTest, PositionText) {
    EXPECT_EQ(Koeln().PositionText(), "50°56'N/6°57'E, 37m"_cp1252);
    EXPECT_EQ(TDiagramData().PositionText(), "0°N/0°W, 0m"_cp1252);
}

TEST(DiagramDataTest, ChangedAndDisplayedMarks) {
    TDiagramData record;
    record.SetAltitude(TDiagramData::TAltitude(5));
    EXPECT_TRUE(record.IsChanged());
    record.ClearChanged();
    EXPECT_FALSE(record.IsChanged());
    record.SetPlace(TDiagramData::TPlace("Wien"));
    EXPECT_TRUE(record.IsChanged());

    record.SetDisplayed(true);
    EXPECT_TRUE(record.IsDisplayed());
    record.SetDisplayed(false);
    EXPECT_FALSE(record.IsDisplayed());
}

} // namespace
