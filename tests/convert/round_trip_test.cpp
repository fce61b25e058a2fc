#include "convert/converter_manager.h"
#include "support/printers.h"
#include "support/recording_log.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// Stations with values spread over every range, names with the characters the filters meet.
std::vector<TDiagramData> Stations(int count) {
    std::mt19937 random(42);
    const auto pick = [&random](int n) {
        return static_cast<int>(random() % n);
    };
    const char* const names[] = {"Köln/Deutschland",    "São Paulo/Brasilien",
                                 "Łódź/Polen",          "Zürich (Fluntern)/Schweiz",
                                 "Ushuaia/Argentinien", "Ålesund/Norwegen"};
    std::vector<TDiagramData> stations;
    for (int i = 0; i < count; ++i) {
        const std::string utf8 = std::string(names[i % 6]) + " " + std::to_string(i);
        TDiagramData station;
        station.SetPlace(TDiagramData::TPlace(
            Windows1252::FromUtf8(utf8).value_or("Lodz/Polen " + std::to_string(i))));
        station.SetCoords({pick(91), pick(60), pick(181), pick(60), pick(2) == 0, pick(2) == 0});
        station.SetAltitude(TDiagramData::TAltitude(pick(9000) - 450));
        TDiagramData::TMonthValues temperatures{};
        TDiagramData::TMonthValues precipitation{};
        for (int m = 0; m < 12; ++m) {
            temperatures[m] = Math::Tenths::FromUnits(pick(1501) - 900);
            precipitation[m] = Math::Tenths::FromUnits(pick(60000));
        }
        station.SetTemperatures(TDiagramData::TTemperatureData(temperatures));
        station.SetPrecipitation(TDiagramData::TPrecipitationData(precipitation));
        stations.push_back(station);
    }
    return stations;
}

const Converter& Filter(const char* description) {
    return *ConverterManager::Instance().Find(description);
}

TEST(RoundTripTest, CsvNativeTableCsvKeepsEveryValue) {
    TTempDir dir;
    TRecordingLog log;
    const std::vector<TDiagramData> original = Stations(60);
    const Converter& csv = Filter("CSV (durch Semikola getrennte Liste)");
    const Converter& native = Filter("Pelvanor-Datenbank");
    const Converter& table = Filter("Tabelle");

    csv.Export(dir.File("a.csv"), log, original);
    native.Export(dir.File("b.dat"), log, csv.Import(dir.File("a.csv"), log));
    table.Export(dir.File("c.tab"), log, native.Import(dir.File("b.dat"), log));
    csv.Export(dir.File("d.csv"), log, table.Import(dir.File("c.tab"), log));
    const std::vector<TDiagramData> result = csv.Import(dir.File("d.csv"), log);

    // The native database sorts by name; every other step keeps the order.
    ASSERT_EQ(result.size(), original.size());
    for (const TDiagramData& station : original) {
        const auto same = std::find_if(result.begin(), result.end(), [&](const TDiagramData& r) {
            return r.IsIdentical(station);
        });
        EXPECT_NE(same, result.end()) << testing::PrintToString(station);
    }
    EXPECT_EQ(TTempDir::Read(dir.File("a.csv")).size(), TTempDir::Read(dir.File("d.csv")).size());
    for (const std::string& entry : log.Entries)
        ASSERT_EQ(entry, "accepted");
}

} // namespace
