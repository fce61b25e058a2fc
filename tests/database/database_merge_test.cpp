#include "database/database_mgr.h"
#include "model/windows1252.h"
#include "support/database_names.h"
#include "support/merge_walk.h"
#include "support/printers.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

using namespace Windows1252::Literals;
using Math::Tenths;

TDiagramData Station(const std::string& name, TDiagramData::TCoords coords, long altitude,
                     std::int64_t januaryTenths = 0) {
    TDiagramData record;
    record.SetPlace(TDiagramData::TPlace(name));
    record.SetCoords(coords);
    record.SetAltitude(TDiagramData::TAltitude(altitude));
    TDiagramData::TTemperatureData temperatures;
    temperatures.SetMonth(0, Tenths::FromUnits(januaryTenths));
    record.SetTemperatures(temperatures);
    return record;
}

using Strings = std::vector<std::string>;
const TDiagramData::TCoords BerlinPosition{52, 31, 13, 24, true, false};

class DatabaseMergeTest : public testing::Test {
protected:
    void SetUp() override {
        Target.Add(Station("Berlin/Deutschland", BerlinPosition, 34), false);
        Target.Add(Station("Wien/Österreich"_cp1252, {48, 12, 16, 22, true, false}, 171), false);
        Target.Save();
    }
    TTempDir Dir;
    TDatabaseMgr Target{Dir.File("target.dat"), false, false};
};

TEST_F(DatabaseMergeTest, MergingACopyFindsEveryRecordIdentical) {
    TRecordingHandler handler(TDatabaseMgr::MergeHandler::Replace);
    TDatabaseMgr copy("", false, false);
    copy.MergeList(Target.CopyOut(), nullptr);
    Target.Merge(copy, &handler);
    EXPECT_EQ(handler.Calls,
              (Strings{"identical Berlin/Deutschland", "identical Wien/Österreich"}));
    EXPECT_FALSE(Target.IsModified());

    // Into itself, likewise.
    handler.Calls.clear();
    Target.Merge(Target, &handler);
    EXPECT_EQ(handler.Calls.size(), 2u);
    EXPECT_EQ(Target.Count(), 2);
}

TEST_F(DatabaseMergeTest, SameNameWithOtherValuesIsQueried) {
    const TDiagramData warmer = Station("Berlin/Deutschland", BerlinPosition, 34, 12);
    for (const int decision : {0, 2, 7}) {
        TRecordingHandler handler(decision);
        Target.MergeList({warmer}, &handler);
        EXPECT_EQ(handler.Calls, Strings{"query Berlin/Deutschland ~ Berlin/Deutschland"});
        EXPECT_EQ(Target.RecordAt(0).Temperatures().Month(0), Tenths(0));
        EXPECT_EQ(Target.Count(), 2);
    }
    TRecordingHandler replace(TDatabaseMgr::MergeHandler::Replace);
    Target.MergeList({warmer}, &replace);
    EXPECT_EQ(Target.RecordAt(0).Temperatures().Month(0), Tenths::FromUnits(12));
    EXPECT_EQ(Target.Count(), 2);
    EXPECT_TRUE(Target.IsModified());
}

TEST_F(DatabaseMergeTest, SimilarRecordIsQueriedAndTheDecisionApplied) {
    const TDiagramData tegel = Station("Berlin-Tegel/Deutschland", BerlinPosition, 34);
    EXPECT_EQ(tegel.Similarity(Target.RecordAt(0)), 4);

    TRecordingHandler ignore(TDatabaseMgr::MergeHandler::Ignore);
    Target.MergeList({tegel}, &ignore);
    EXPECT_EQ(ignore.Calls, Strings{"query Berlin/Deutschland ~ Berlin-Tegel/Deutschland"});
    EXPECT_EQ(Names(Target), (Strings{"Berlin/Deutschland", "Wien/Österreich"}));

    TRecordingHandler add(TDatabaseMgr::MergeHandler::Add);
    Target.MergeList({tegel}, &add);
    EXPECT_EQ(Names(Target),
              (Strings{"Berlin-Tegel/Deutschland", "Berlin/Deutschland", "Wien/Österreich"}));

    // Only the first similar record in list order is offered: "-" sorts before "/".
    TRecordingHandler replace(TDatabaseMgr::MergeHandler::Replace);
    Target.MergeList({Station("Berlin-Mitte/Deutschland", BerlinPosition, 35)}, &replace);
    EXPECT_EQ(replace.Calls, Strings{"query Berlin-Tegel/Deutschland ~ Berlin-Mitte/Deutschland"});
    EXPECT_EQ(Names(Target),
              (Strings{"Berlin-Mitte/Deutschland", "Berlin/Deutschland", "Wien/Österreich"}));
}

TEST_F(DatabaseMergeTest, UnrelatedRecordsAreAddedAndReported) {
    TRecordingHandler handler(TDatabaseMgr::MergeHandler::Ignore);
    Target.MergeList({Station("Lima/Peru", {12, 3, 77, 2, false, true}, 13),
                      Station("Accra/Ghana", {5, 36, 0, 10, true, true}, 68)},
                     &handler);
    // The list is brought into order before it is merged.
    EXPECT_EQ(handler.Calls, (Strings{"added Accra/Ghana", "added Lima/Peru"}));
    EXPECT_EQ(Target.Count(), 4);

    handler.Calls.clear();
    Target.Save();
    Target.MergeList({}, &handler);
    EXPECT_TRUE(handler.Calls.empty());
    EXPECT_FALSE(Target.IsModified());
}

TEST_F(DatabaseMergeTest, WithoutHandlerKnownNamesStayAndAllOthersAreAdded) {
    Target.MergeList({Station("Berlin/Deutschland", BerlinPosition, 34, 99),
                      Station("Berlin-Tegel/Deutschland", BerlinPosition, 34)},
                     nullptr);
    EXPECT_EQ(Names(Target),
              (Strings{"Berlin-Tegel/Deutschland", "Berlin/Deutschland", "Wien/Österreich"}));
    EXPECT_EQ(Target.RecordAt(1).Temperatures().Month(0), Tenths(0));
}

TEST_F(DatabaseMergeTest, ReplaceTakesThePlaceOfTheSameNameBehindAnotherSpelling) {
    TDatabaseMgr database("", false, false);
    const TDiagramData::TCoords koeln{50, 56, 6, 57, true, false};
    database.Add(Station("Koeln/Deutschland", koeln, 37), false);
    database.Add(Station("Köln/Deutschland"_cp1252, koeln, 37), false);
    TRecordingHandler replace(TDatabaseMgr::MergeHandler::Replace);
    database.MergeList({Station("Koeln/Deutschland", koeln, 37, 25)}, &replace);
    EXPECT_EQ(Names(database), (Strings{"Koeln/Deutschland", "Köln/Deutschland"}));
    EXPECT_EQ(database.RecordAt(0).Temperatures().Month(0), Tenths::FromUnits(25));
}

// Stations crowded into a few degrees, with names that share stations, countries and spellings.
std::vector<TDiagramData> NearDuplicates(std::mt19937& random, int count) {
    const char* const stations[] = {
        "Berlin", "Berlin-Tegel",    "Bern", "Koeln", "Köln",    "Koeln-Bonn",
        "Wien",   "Wiener Neustadt", "A",    "B",     "Hamburg", "Hambach",
        "Burg",   "Neuburg"};
    const char* const countries[] = {"",    "/Deutschland",     "/D",      "/Österreich",
                                     "/CH", "/Deutschland/Süd", "/Schweiz"};
    const auto pick = [&random](int n) {
        return static_cast<int>(random() % n);
    };
    std::vector<TDiagramData> records;
    for (int i = 0; i < count; ++i) {
        std::string name = stations[pick(14)];
        name += countries[pick(7)];
        if (pick(4) == 0) {
            name += ' ';
            name += std::to_string(pick(5));
        }
        // Most lie within a few degrees; the others anywhere, where only names can match.
        const bool near = pick(3) != 0;
        TDiagramData::TCoords coords(near ? pick(3) + 50 : pick(91), pick(60),
                                     near ? pick(3) + 10 : pick(181), pick(60), pick(8) != 0,
                                     pick(8) == 0);
        records.push_back(Station(*Windows1252::FromUtf8(name), coords, pick(6) + 100, pick(3)));
    }
    return records;
}

TEST(DatabaseMergeDifferentialTest, IndexedMergeEqualsTheWalk) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 30; ++round) {
        const auto existing = NearDuplicates(random, 60);
        const auto incoming = NearDuplicates(random, 60);
        const int decision = round % 5 == 4 ? -1 : round % 4;
        const unsigned seed = random();

        TDatabaseMgr indexed("", false, false);
        indexed.MergeList(existing, nullptr);
        TDatabaseMgr walked("", false, false);
        walked.MergeList(existing, nullptr);
        TDatabaseMgr source("", false, false);
        for (const auto& record : incoming)
            source.Add(record, true);

        const bool withHandler = round % 7 != 6;
        TRecordingHandler indexedHandler(decision, seed);
        TRecordingHandler walkedHandler(decision, seed);
        indexed.Merge(source, withHandler ? &indexedHandler : nullptr);
        MergeStraightforwardly(walked, source, withHandler ? &walkedHandler : nullptr);

        SCOPED_TRACE(testing::Message() << "round " << round);
        const Strings names = Names(indexed);
        EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size())
            << "two records share a name";
        EXPECT_EQ(indexedHandler.Calls, walkedHandler.Calls);
        ASSERT_EQ(indexed.Count(), walked.Count());
        for (int i = 0; i < indexed.Count(); ++i)
            ASSERT_TRUE(indexed.RecordAt(i).IsIdentical(walked.RecordAt(i))) << i;
    }
}

// A list with names that come again (with other values) and spellings that fold alike: sorted
// once, it must merge as the adds one after the other and the walk over every record do.
TEST(DatabaseMergeDifferentialTest, ListMergeEqualsTheAddsAndTheWalk) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 30; ++round) {
        const auto existing = NearDuplicates(random, 80);
        auto incoming = NearDuplicates(random, 80);
        for (int again = 0; again < 20; ++again) {
            TDiagramData repeated = incoming[random() % incoming.size()];
            TDiagramData::TTemperatureData temperatures = repeated.Temperatures();
            temperatures.SetMonth(5, Tenths::FromUnits(static_cast<std::int64_t>(random() % 300)));
            repeated.SetTemperatures(temperatures);
            incoming.push_back(repeated);
        }
        const int decision = round % 5 == 4 ? -1 : round % 4;
        const unsigned seed = random();
        const bool withHandler = round % 7 != 6;

        TDatabaseMgr merged("", false, false);
        merged.MergeList(existing, nullptr);
        TDatabaseMgr walked("", false, false);
        MergeListStraightforwardly(walked, existing, nullptr);
        TRecordingHandler mergedHandler(decision, seed);
        TRecordingHandler walkedHandler(decision, seed);
        merged.MergeList(incoming, withHandler ? &mergedHandler : nullptr);
        MergeListStraightforwardly(walked, incoming, withHandler ? &walkedHandler : nullptr);

        SCOPED_TRACE(testing::Message() << "round " << round);
        EXPECT_EQ(mergedHandler.Calls, walkedHandler.Calls);
        ASSERT_EQ(Names(merged), Names(walked));
        for (int i = 0; i < merged.Count(); ++i)
            ASSERT_TRUE(merged.RecordAt(i).IsIdentical(walked.RecordAt(i))) << i;
    }
}

} // namespace
