#include "convert/converter_manager.h"
#include "model/climate_zone.h"
#include "model/windows1252.h"
#include "support/recording_log.h"
#include "support/stations.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using namespace Windows1252::Literals;
using TMonths = std::array<double, 12>;

std::string ZoneOf(const TMonths& temperatures, const TMonths& precipitation) {
    return ClimateZoneOf(MakeStation("Probe", temperatures, precipitation)).Code;
}

// Every main class and most second letters, from the stations every user starts with.
TEST(ClimateZoneTest, StarterStationsFallIntoTheirPublishedZones) {
    TRecordingLog log;
    const auto stations = ConverterManager::Instance()
                              .Find("CSV (durch Semikola getrennte Liste)")
                              ->Import(PELVANOR_STATIONS_CSV, log);
    std::map<std::string, std::string> zones;
    for (const TDiagramData& station : stations)
        zones[Windows1252::ToUtf8(station.Place().Name())] = ClimateZoneOf(station).Code;
    const std::map<std::string, std::string> expected = {
        {"Singapur/Singapur", "Af"},     {"Manaus/Brasilien", "Am"},
        {"Bangkok/Thailand", "Aw"},      {"Kairo/Ägypten", "BWh"},
        {"Mendoza/Argentinien", "BWk"},  {"Niamey/Niger", "BSh"},
        {"Denver/USA", "BSk"},           {"Sevilla/Spanien", "Csa"},
        {"Seattle/USA", "Csb"},          {"Mexiko-Stadt/Mexiko", "Cwb"},
        {"Tokio/Japan", "Cfa"},          {"Berlin/Deutschland", "Cfb"},
        {"Reykjavík/Island", "Cfc"},     {"Chicago/USA", "Dfa"},
        {"Moskau/Russland", "Dfb"},      {"Archangelsk/Russland", "Dfc"},
        {"Oimjakon/Russland", "Dfd"},    {"Wladiwostok/Russland", "Dwb"},
        {"Werchojansk/Russland", "Dsd"}, {"Resolute/Kanada", "ET"},
        {"Wostok/Antarktis", "EF"}};
    for (const auto& [name, zone] : expected)
        EXPECT_EQ(zones.at(name), zone) << name;
}

struct TEdgeCase {
    const char* What;
    TMonths Temperatures;
    TMonths Precipitation;
    const char* Zone;
};

class ClimateZoneEdgeTest : public testing::TestWithParam<TEdgeCase> {};

TEST_P(ClimateZoneEdgeTest, ThresholdsFallOnTheSideTheRulesGive) {
    EXPECT_EQ(ZoneOf(GetParam().Temperatures, GetParam().Precipitation), GetParam().Zone)
        << GetParam().What;
}

constexpr TMonths Wet = {80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80};
constexpr TMonths Zero = {};

INSTANTIATE_TEST_SUITE_P(
    Thresholds, ClimateZoneEdgeTest,
    testing::Values(
        TEdgeCase{"all zero", Zero, Zero, "EF"},
        TEdgeCase{
            "warmest month exactly 0", {-5, -5, -5, -5, -5, 0, -1, -5, -5, -5, -5, -5}, Wet, "EF"},
        TEdgeCase{"warmest month just above 0",
                  {-5, -5, -5, -5, -5, 0.1, -1, -5, -5, -5, -5, -5},
                  Wet,
                  "ET"},
        TEdgeCase{
            "warmest month exactly 10", {-5, -5, -5, -5, 5, 10, 8, 5, -5, -5, -5, -5}, Wet, "Dfc"},
        TEdgeCase{"coldest month exactly 18",
                  {18, 20, 22, 24, 25, 25, 25, 25, 24, 22, 20, 19},
                  Wet,
                  "Af"},
        TEdgeCase{"coldest month just below 18",
                  {17.9, 20, 22, 24, 25, 25, 25, 25, 24, 22, 20, 19},
                  Wet,
                  "Cfa"},
        TEdgeCase{
            "coldest month exactly 0", {0, 2, 6, 10, 14, 17, 19, 18, 15, 10, 5, 1}, Wet, "Dfb"},
        TEdgeCase{"coldest month just above 0",
                  {0.1, 2, 6, 10, 14, 17, 19, 18, 15, 10, 5, 1},
                  Wet,
                  "Cfb"},
        TEdgeCase{"coldest month exactly -38",
                  {-38, -34, -22, -8, 5, 13, 15, 11, 3, -10, -28, -36},
                  Wet,
                  "Dfc"},
        TEdgeCase{"coldest month below -38",
                  {-38.1, -34, -22, -8, 5, 13, 15, 11, 3, -10, -28, -36},
                  Wet,
                  "Dfd"},
        // MAT 10 and 70 % of the rain in winter: Pthreshold 20 mm, MAP 200 mm is exactly 10 times
        // that, no longer dry; 199.9 mm is
        // (with less than 70 % in winter it would be 34 mm, and the station dry).
        TEdgeCase{"70 % winter rain, MAP at 10 Pthreshold",
                  {4, 5, 7, 10, 13, 16, 18, 17, 14, 10, 5, 1},
                  {23.4, 23.3, 23.3, 20, 20, 20, 0, 0, 0, 23.3, 23.3, 23.4},
                  "Csb"},
        TEdgeCase{"70 % winter rain, MAP below 10 Pthreshold",
                  {4, 5, 7, 10, 13, 16, 18, 17, 14, 10, 5, 1},
                  {23.4, 23.3, 23.3, 19.9, 20, 20, 0, 0, 0, 23.3, 23.3, 23.4},
                  "BSk"},
        // MAT 20, even rain: Pthreshold 54 mm; MAP exactly 270 mm (5 times) is steppe, below it
        // desert.
        TEdgeCase{"MAP exactly 5 Pthreshold",
                  {15, 16, 18, 20, 23, 25, 26, 26, 23, 20, 17, 11},
                  {22.5, 22.5, 22.5, 22.5, 22.5, 22.5, 22.5, 22.5, 22.5, 22.5, 22.5, 22.5},
                  "BSh"},
        TEdgeCase{"MAP below 5 Pthreshold",
                  {15, 16, 18, 20, 23, 25, 26, 26, 23, 20, 17, 11},
                  {22.5, 22.5, 22.5, 22.5, 22.5, 22.5, 22.5, 22.5, 22.5, 22.5, 22.5, 22.4},
                  "BWh"}));

TEST(ClimateZoneTest, EveryCodeHasOneGermanDescription) {
    EXPECT_EQ(ClimateZoneDescription("Cfb"), "warmgemäßigt, immerfeucht, warme Sommer"_cp1252);
    const TClimateZone zone = ClimateZoneOf(BerlinStation());
    EXPECT_EQ(zone.Description, ClimateZoneDescription(zone.Code));
    EXPECT_EQ(ClimateZoneDescription("Xyz"), "");
    for (const char* code : {"Af",  "Am",  "Aw",  "BWh", "BWk", "BSh", "BSk", "Csa", "Csb", "Csc",
                             "Cwa", "Cwb", "Cwc", "Cfa", "Cfb", "Cfc", "Dsa", "Dsb", "Dsc", "Dsd",
                             "Dwa", "Dwb", "Dwc", "Dwd", "Dfa", "Dfb", "Dfc", "Dfd", "ET",  "EF"})
        EXPECT_FALSE(ClimateZoneDescription(code).empty()) << code;
}

} // namespace
