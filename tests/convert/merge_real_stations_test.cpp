#include "convert/converter_manager.h"
#include "database/database_mgr.h"
#include "support/database_names.h"
#include "support/merge_walk.h"
#include "support/recording_log.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// The starter stations, real ones from all over the world.
std::vector<TDiagramData> RealStations() {
    TRecordingLog log;
    return ConverterManager::Instance()
        .Find("CSV (durch Semikola getrennte Liste)")
        ->Import(PELVANOR_STATIONS_CSV, log);
}

// Another source's view of the same stations: the same ones again, some with other values, and
// near duplicates, a few minutes and metres off, named as other sources name them.
std::vector<TDiagramData> NearDuplicatesOf(const std::vector<TDiagramData>& stations,
                                           std::mt19937& random) {
    const auto pick = [&random](int n) {
        return static_cast<int>(random() % static_cast<unsigned>(n));
    };
    const auto shifted = [&](Math::Whole minutes) {
        return Math::Whole(std::clamp<long>(minutes.IntegerPart() + pick(25) - 12, 0, 59));
    };
    std::vector<TDiagramData> incoming;
    for (const TDiagramData& same : stations) {
        TDiagramData near = same;
        const std::string& name = near.Place().Name();
        const std::string station = name.substr(0, name.find('/'));
        const std::string country = name.substr(std::min(name.size(), station.size() + 1));
        const std::string spellings[] = {
            name, station + "-Flughafen/" + country, station + "/" + country + " Nord",
            station.substr(0, station.size() * 4 / 5) + "x/" + country, "Neu " + name};
        near.SetPlace(TDiagramData::TPlace(spellings[pick(5)]));
        TDiagramData::TCoords coords = near.Coords();
        coords.SetLatitudeMinutes(shifted(coords.LatitudeMinutes()));
        coords.SetLongitudeMinutes(shifted(coords.LongitudeMinutes()));
        // Far away, where only the name and the altitude can make it similar.
        if (pick(5) == 0)
            coords.SetLatitudeDegrees((coords.LatitudeDegrees().IntegerPart() + 30) % 90);
        near.SetCoords(coords);
        const int metres = pick(2) == 0 ? pick(3) - 1 : pick(25) - 12;
        near.SetAltitude(TDiagramData::TAltitude(near.Altitude().Value() + Math::Whole(metres)));
        TDiagramData::TTemperatureData temperatures = near.Temperatures();
        temperatures.SetMonth(0, temperatures.Month(0) + Math::Tenths::FromUnits(pick(3)));
        near.SetTemperatures(temperatures);
        incoming.push_back(pick(6) == 0 ? same : near);
    }
    std::shuffle(incoming.begin(), incoming.end(), random);
    return incoming;
}

// Whatever the decisions, merging through the indexes gives the questions, in the same order,
// and the list that comparing every incoming station with every stored one gives.
TEST(MergeRealStationsTest, NearDuplicatesOfRealStationsMergeAsTheWalkOverEveryStation) {
    const std::vector<TDiagramData> stations = RealStations();
    ASSERT_EQ(stations.size(), 95u);
    std::mt19937 random(95);
    for (const int decision : {0, 1, 2, -1}) {
        const std::vector<TDiagramData> incoming = NearDuplicatesOf(stations, random);
        TDatabaseMgr merged("", false, false);
        merged.MergeList(stations, nullptr);
        TDatabaseMgr walked("", false, false);
        walked.MergeList(stations, nullptr);
        TRecordingHandler mergedHandler(decision, 7);
        TRecordingHandler walkedHandler(decision, 7);
        merged.MergeList(incoming, &mergedHandler);
        MergeListStraightforwardly(walked, incoming, &walkedHandler);

        SCOPED_TRACE(testing::Message() << "decision " << decision);
        EXPECT_GT(std::count_if(mergedHandler.Calls.begin(), mergedHandler.Calls.end(),
                                [](const std::string& call) { return call.starts_with("query"); }),
                  40);
        EXPECT_EQ(mergedHandler.Calls, walkedHandler.Calls);
        ASSERT_EQ(Names(merged), Names(walked));
        for (int i = 0; i < merged.Count(); ++i)
            ASSERT_TRUE(merged.RecordAt(i).IsIdentical(walked.RecordAt(i))) << i;
    }
}

} // namespace
