#include "database/database_mgr.h"
#include "map/station_zones.h"
#include "model/windows1252.h"
#include "support/stations.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using namespace Windows1252::Literals;

// Climates of every kind, even ones no place has: each falls into a numbered zone, whose colour
// and legend line exist.
TEST(StationZonesTest, EveryClimateFallsIntoOneOfTheThirtyZones) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> temperature(-450, 300);
    std::uniform_int_distribution<int> precipitation(0, 6000);
    for (int i = 0; i < 20000; ++i) {
        TDiagramData::TMonthValues t{};
        TDiagramData::TMonthValues p{};
        const int base = temperature(random);
        for (int m = 0; m < 12; ++m) {
            t[m] = Math::Tenths::FromUnits(base + temperature(random) / (1 + i % 5));
            p[m] = Math::Tenths::FromUnits(i % 3 == 0 ? precipitation(random) / 40
                                                      : precipitation(random));
        }
        TDiagramData station;
        station.SetTemperatures(TDiagramData::TTemperatureData(t));
        station.SetPrecipitation(TDiagramData::TPrecipitationData(p));
        const int zone = ClimateZoneNumberOf(station);
        ASSERT_GE(zone, 0) << ClimateZoneOf(station).Code;
        ASSERT_EQ(ClimateZoneCode(zone), ClimateZoneOf(station).Code);
    }
    EXPECT_EQ(ClimateZoneNumber("Csd"), -1);
    EXPECT_EQ(ClimateZoneTitle(ClimateZoneNumber("Cfb")),
              "Cfb – warmgemäßigt, immerfeucht, warme Sommer"_cp1252);
}

TEST(StationZonesTest, CountsAndStationsOfZonesFollowTheDatabase) {
    TDatabaseMgr database("", false, false);
    database.Add(FreiburgStation(), false);
    database.Add(ManausStation(), false);
    database.Add(SevillaStation(), false);
    TDiagramData basel = FreiburgStation();
    basel.SetPlace(TDiagramData::TPlace("Basel/Schweiz"));
    database.Add(basel, false);

    TStationZones zones;
    zones.Update(database);
    const int cfb = ClimateZoneNumber("Cfb");
    const int am = ClimateZoneNumber("Am");
    const int csa = ClimateZoneNumber("Csa");
    ASSERT_EQ(zones.StationCount(), 4);
    // Database order: Basel, Freiburg, Manaus, Sevilla.
    EXPECT_EQ(zones.ZoneOf(0), cfb);
    EXPECT_EQ(zones.ZoneOf(2), am);
    EXPECT_EQ(zones.ZoneOf(3), csa);
    EXPECT_EQ(zones.Counts()[cfb], 2);
    EXPECT_EQ(zones.Counts()[am], 1);
    EXPECT_EQ(zones.Counts()[csa], 1);
    TZoneSet temperate;
    temperate.set(cfb).set(csa);
    EXPECT_EQ(zones.StationsIn(temperate), (std::vector<int>{0, 1, 3}));
    EXPECT_TRUE(zones.StationsIn(TZoneSet()).empty());

    database.RemoveAt(0);
    zones.Update(database);
    EXPECT_EQ(zones.StationCount(), 3);
    EXPECT_EQ(zones.Counts()[cfb], 1);
    EXPECT_EQ(zones.StationsIn(temperate), (std::vector<int>{0, 2}));
}

} // namespace
