#include "convert/converter_manager.h"
#include "convert/wmo_normals_converter.h"
#include "convert/wmo_records.h"
#include "database/counting_merge_handler.h"
#include "database/database_mgr.h"
#include "model/windows1252.h"
#include "support/printers.h"
#include "support/recording_log.h"
#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>

namespace {

using namespace Windows1252::Literals;

const Converter& Filter(const std::string& description) {
    return *ConverterManager::Instance().Find(description);
}

TEST(StarterDatabaseTest, AllStationsEnterTheDatabaseWithTheirValues) {
    TTempDir dir;
    TRecordingLog log;
    const auto stations =
        Filter("CSV (durch Semikola getrennte Liste)").Import(PELVANOR_STATIONS_CSV, log);
    ASSERT_EQ(stations.size(), 95u);
    EXPECT_EQ(std::count(log.Entries.begin(), log.Entries.end(), "accepted"), 95);
    Filter("Pelvanor-Datenbank").Export(dir.File("pelvanor.dat"), log, stations);

    const auto database = TDatabaseMgr::ReadOnly(dir.File("pelvanor.dat"));
    ASSERT_EQ(database->Count(), 95);
    const int berlin = database->Find(TDiagramData::TPlace("Berlin/Deutschland"), -1, true);
    ASSERT_GE(berlin, 0);
    const TDiagramData& station = database->RecordAt(berlin);
    EXPECT_EQ(station.PositionText(), "52°28'N/13°24'E, 48m"_cp1252);
    EXPECT_EQ(station.Temperatures().MonthText(0), "1,2");
    EXPECT_EQ(station.Temperatures().MonthText(6), "20,2");
    EXPECT_EQ(station.Precipitation().MonthText(6), "71,7");
    EXPECT_EQ(station.Precipitation().TotalText(), "570,2");

    const int muenchen = database->Find(TDiagramData::TPlace("^muenchen/"), -1, false);
    ASSERT_GE(muenchen, 0);
    EXPECT_EQ(database->RecordAt(muenchen).Place().Name(), "München/Deutschland"_cp1252);
    const int wostok = database->Find(TDiagramData::TPlace("Wostok/Antarktis"), -1, true);
    ASSERT_GE(wostok, 0);
    EXPECT_LT(database->RecordAt(wostok).Temperatures().Min(), Math::Tenths(-60));
}

// The WMO numbers of the starter stations, from the table of their sources.
std::set<std::string> StarterWmoNumbers() {
    std::ifstream sources(PELVANOR_STATIONS_SOURCES);
    const std::regex row(R"(^\| [^|]+ \| ([0-9]+) \|$)");
    std::set<std::string> numbers;
    std::smatch match;
    for (std::string line; std::getline(sources, line);)
        if (std::regex_match(line, match, row))
            numbers.insert(TWmoRecords::Number(match[1].str()));
    return numbers;
}

// The starter database as the build makes it: the starter stations, then the stations of the
// WMO normals that are not among them, every one added.
class BuiltStarterDatabaseTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        TRecordingLog log;
        Starter = new TDatabaseMgr("", false, false);
        Starter->MergeList(
            Filter("CSV (durch Semikola getrennte Liste)").Import(PELVANOR_STATIONS_CSV, log),
            nullptr);
        const auto& normals =
            dynamic_cast<const WmoNormalsConverter&>(Filter("Amtliche Klimanormalwerte (WMO)"));
        TCountingMergeHandler addAll(TCountingMergeHandler::TStanding::AddAll);
        Starter->MergeList(normals.ImportFilesWithout({std::string(PELVANOR_WMO_NORMALS_DIR) +
                                                       "/wmo_normals_9120_PRCP.csv"},
                                                      log, StarterWmoNumbers()),
                           &addAll);
    }
    static void TearDownTestSuite() { delete Starter; }

    static const TDiagramData* Station(const std::string& utf8Name) {
        const int index =
            Starter->Find(TDiagramData::TPlace(*Windows1252::FromUtf8(utf8Name)), -1, true);
        return index < 0 ? nullptr : &Starter->RecordAt(index);
    }

    static TDatabaseMgr* Starter;
};

TDatabaseMgr* BuiltStarterDatabaseTest::Starter = nullptr;

TEST_F(BuiltStarterDatabaseTest, HoldsTheStarterStationsAndEveryCompleteWmoStationOnce) {
    EXPECT_EQ(StarterWmoNumbers().size(), 95u);
    EXPECT_EQ(Starter->Count(), 95 + 5247);
    // The starter stations keep their German names and their values.
    TRecordingLog log;
    for (const TDiagramData& station :
         Filter("CSV (durch Semikola getrennte Liste)").Import(PELVANOR_STATIONS_CSV, log)) {
        const TDiagramData* kept = Station(Windows1252::ToUtf8(station.Place().Name()));
        ASSERT_NE(kept, nullptr) << testing::PrintToString(station);
        EXPECT_TRUE(kept->IsIdentical(station)) << testing::PrintToString(*kept);
    }
    // Berlin-Tempelhof is Berlin of the starter stations; Berlin-Tegel comes from the normals.
    EXPECT_EQ(Station("Berlin-Tempelhof/Deutschland"), nullptr);
    EXPECT_NE(Station("Berlin-Tegel/Deutschland"), nullptr);
}

TEST_F(BuiltStarterDatabaseTest, StationsMatchTheirDataSheets) {
    // Ten stations of the normals against the sheets their services submitted: the same name,
    // position, altitude and values (three of them with means of maximum and minimum).
    const char* sheets[] = {
        "Germany/Aachen_10501",     "Germany/Emden_10200",    "Germany/Offenbach-Wetterpark_10641",
        "Austria/Feuerkogel_11155", "France/ABBEVILLE_07005", "Brazil/CORDEIRO_83718",
        "Guinea/CONAKRY_61832",     "Guinea/FARANAH_61833",   "Guinea/KANKAN_61829",
        "Mongolia/Altai_44277"};
    const Converter& normals = Filter("Amtliche Klimanormalwerte (WMO)");
    for (const char* sheet : sheets) {
        TRecordingLog log;
        const auto fromSheet = normals.Import(
            std::string(PELVANOR_TEST_DATA_DIR) + "/wmo/sheets/" + sheet + ".csv", log);
        ASSERT_EQ(fromSheet.size(), 1u) << sheet;
        const TDiagramData* starter = Station(Windows1252::ToUtf8(fromSheet[0].Place().Name()));
        ASSERT_NE(starter, nullptr) << sheet;
        EXPECT_TRUE(starter->IsIdentical(fromSheet[0])) << testing::PrintToString(*starter) << "\n"
                                                        << testing::PrintToString(fromSheet[0]);
    }
}

} // namespace
