#include "convert/converter_manager.h"
#include "database/database_mgr.h"
#include "model/windows1252.h"
#include "support/recording_log.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

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

} // namespace
