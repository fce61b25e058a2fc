#include "database/database_mgr.h"
#include "model/windows1252.h"
#include "support/database_names.h"
#include "support/printers.h"
#include "support/stream_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

using namespace Windows1252::Literals;

TDiagramData Named(const std::string& name, long altitude = 0) {
    TDiagramData record;
    record.SetPlace(TDiagramData::TPlace(name));
    record.SetAltitude(TDiagramData::TAltitude(altitude));
    return record;
}

using Strings = std::vector<std::string>;

TEST(DatabaseAddTest, KeepsTheListSortedByFoldedName) {
    TDatabaseMgr database("", false, false);
    database.Add(Named("B"), false);
    database.Add(Named("a"), false);
    database.Add(Named("C"), false);
    EXPECT_EQ(Names(database), (Strings{"a", "B", "C"}));
    EXPECT_TRUE(database.IsModified());
}

TEST(DatabaseAddTest, EqualFoldedNamesGoAfterSingleAndBeforeBulk) {
    TDatabaseMgr single("", false, false);
    single.Add(Named("Koeln"), false);
    single.Add(Named("Köln"_cp1252), false);
    EXPECT_EQ(Names(single), (Strings{"Koeln", "Köln"}));

    TDatabaseMgr bulk("", false, false);
    bulk.Add(Named("Koeln"), true);
    bulk.Add(Named("Köln"_cp1252), true);
    EXPECT_EQ(Names(bulk), (Strings{"Köln", "Koeln"}));
}

TEST(DatabaseAddTest, TheSameNameReplacesItsNeighbour) {
    TDatabaseMgr database("", false, false);
    for (const char* name : {"Graz", "Wien", "Linz"})
        database.Add(Named(name), false);
    database.Add(Named("Wien", 171), false);
    EXPECT_EQ(database.Count(), 3);
    EXPECT_EQ(database.RecordAt(2).Altitude().Value(), 171);
    database.Add(Named("Wien", 172), true);
    EXPECT_EQ(database.Count(), 3);
    EXPECT_EQ(database.RecordAt(2).Altitude().Value(), 172);

    // Another record of the same folded name in between still never makes two of one name:
    // the new record takes the old one's place, from either end.
    database.Add(Named("wien"), false);
    database.Add(Named("Wien", 5), false);
    EXPECT_EQ(Names(database), (Strings{"Graz", "Linz", "Wien", "wien"}));
    EXPECT_EQ(database.RecordAt(2).Altitude().Value(), 5);
    database.Add(Named("wien", 6), true);
    EXPECT_EQ(Names(database), (Strings{"Graz", "Linz", "Wien", "wien"}));
    EXPECT_EQ(database.RecordAt(3).Altitude().Value(), 6);
}

TEST(DatabaseAddTest, ARecordThatLoadingWouldRefuseIsNeverStored) {
    TDatabaseMgr database("", false, false);
    database.Add(Named("Graz"), false);
    try {
        database.Add(TDiagramData(), false);
        FAIL() << "a record without a name was stored";
    } catch (const TDatabaseMgr::TXCorruptData& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Datenbank-Manager: Datenfehler: Datenbank: Name \"\" ist ung\xFCltig");
    }
    // A merge list with one such record is refused before anything changes.
    EXPECT_THROW(database.MergeList({Named("Linz"), TDiagramData()}, nullptr),
                 TDatabaseMgr::TXCorruptData);
    EXPECT_EQ(Names(database), Strings{"Graz"});

    // A stored record spoilt in place is not written.
    TTempDir dir;
    TDatabaseMgr saved(dir.File("spoilt.dat"), false, false);
    saved.Add(Named("Graz"), false);
    saved.Save();
    const std::string before = TTempDir::Read(dir.File("spoilt.dat"));
    saved.Add(Named("Linz"), false);
    saved.RecordAt(1).SetPlace(TDiagramData::TPlace());
    EXPECT_THROW(saved.Save(), TDatabaseMgr::TXCorruptData);
    EXPECT_EQ(TTempDir::Read(dir.File("spoilt.dat")), before);
    EXPECT_TRUE(saved.IsModified());
}

TEST(DatabaseAddTest, StoresACopy) {
    TDatabaseMgr database("", false, false);
    TDiagramData record = Named("Wien");
    database.Add(record, false);
    record.SetAltitude(TDiagramData::TAltitude(1));
    EXPECT_EQ(database.RecordAt(0).Altitude().Value(), 0);
    EXPECT_EQ(database.IndexOf(&record), -1);
    EXPECT_EQ(database.IndexOf(&database.RecordAt(0)), 0);
    EXPECT_EQ(database.IndexOf(nullptr), -1);
}

class DatabaseFindTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"Berlin/Deutschland", "Überlingen/Deutschland", "Bern/Schweiz",
                                 "Aberdeen/Schottland", "Paris/Frankreich"})
            Database.Add(Named(*Windows1252::FromUtf8(name)), false);
    }

    // Every match, enumerated the way the dialogs do it.
    Strings All(const char* pattern, bool exact = false) const {
        Strings found;
        const TDiagramData::TPlace name(*Windows1252::FromUtf8(pattern));
        for (int i = Database.Find(name, -1, exact); i >= 0; i = Database.Find(name, i, exact))
            found.push_back(Windows1252::ToUtf8(Database.RecordAt(i).Place().Name()));
        return found;
    }

    TDatabaseMgr Database{"", false, false};
};

TEST_F(DatabaseFindTest, PatternsSearchFoldedNames) {
    EXPECT_EQ(All("ber"), (Strings{"Aberdeen/Schottland", "Berlin/Deutschland", "Bern/Schweiz",
                                   "Überlingen/Deutschland"}));
    EXPECT_EQ(All("^ber"), (Strings{"Berlin/Deutschland", "Bern/Schweiz"}));
    EXPECT_EQ(All("ÜBER"), (Strings{"Überlingen/Deutschland"}));
    EXPECT_EQ(All("land$"),
              (Strings{"Aberdeen/Schottland", "Berlin/Deutschland", "Überlingen/Deutschland"}));
    EXPECT_EQ(All("^b.r[ln]"), (Strings{"Berlin/Deutschland", "Bern/Schweiz"}));
    EXPECT_EQ(All("[bern"), Strings{});
    EXPECT_EQ(All("xyz"), Strings{});
}

TEST_F(DatabaseFindTest, ExactSearchComparesBytes) {
    EXPECT_EQ(All("Bern/Schweiz", true), (Strings{"Bern/Schweiz"}));
    EXPECT_EQ(All("bern/schweiz", true), Strings{});
    EXPECT_EQ(All("Bern", true), Strings{});
}

TEST_F(DatabaseFindTest, SearchStartsAfterTheStartIndex) {
    const TDiagramData::TPlace a("a");
    EXPECT_EQ(Database.Find(a, -1, false), 0);
    EXPECT_EQ(Database.Find(a, 0, false), 1);
    EXPECT_EQ(Database.Find(a, Database.Count() - 1, false), -1);
    EXPECT_EQ(Database.Find(TDiagramData::TPlace("Paris/Frankreich"), 2, true), 3);
    EXPECT_EQ(Database.Find(TDiagramData::TPlace("Paris/Frankreich"), 3, true), -1);
}

TEST(DatabaseEditTest, RemoveAndCopyOut) {
    TDatabaseMgr empty("", false, false);
    EXPECT_EQ(empty.Find(TDiagramData::TPlace("a"), -1, false), -1);
    EXPECT_EQ(empty.Find(TDiagramData::TPlace("a"), -1, true), -1);
    empty.RemoveAt(0);
    EXPECT_FALSE(empty.IsModified());

    TDatabaseMgr database("", false, false);
    for (const char* name : {"C", "A", "B"})
        database.Add(Named(name), false);
    database.RemoveAt(3);
    database.RemoveAt(-1);
    EXPECT_EQ(database.Count(), 3);
    database.RemoveAt(1);
    EXPECT_EQ(Names(database), (Strings{"A", "C"}));

    const std::vector<TDiagramData> copies = database.CopyOut();
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[1].Place().Name(), "C");
    EXPECT_TRUE(copies[0].IsIdentical(database.RecordAt(0)));
}

// A file written in another order is searched and added to by walking it, as always.
TEST(DatabaseUnsortedTest, AddsWalkTheListFromTheirEnd) {
    TTempDir dir;
    const std::string file = dir.File("unsorted.dat");
    TTempDir::Write(file,
                    TStreamBytes().Header(3).Record("c", 3).Record("a", 3).Record("e", 3).Bytes);

    TDatabaseMgr single(file, false, false);
    single.Add(Named("b"), false); // before the first greater name, "c"
    EXPECT_EQ(Names(single), (Strings{"b", "c", "a", "e"}));
    single.Add(Named("d"), false);
    EXPECT_EQ(Names(single), (Strings{"b", "c", "a", "d", "e"}));
    EXPECT_EQ(single.Find(TDiagramData::TPlace("a"), -1, true), 2);

    TDatabaseMgr bulk(file, false, false);
    bulk.Add(Named("b"), true); // after the last lesser name, "a"
    EXPECT_EQ(Names(bulk), (Strings{"c", "a", "b", "e"}));
    // A name that stands further on is replaced where it stands, never doubled.
    bulk.Add(Named("a", 7), true);
    EXPECT_EQ(Names(bulk), (Strings{"c", "a", "b", "e"}));
    EXPECT_EQ(bulk.RecordAt(1).Altitude().Value(), 7);
    EXPECT_EQ(bulk.IndexOf(&bulk.RecordAt(2)), 2);
}

} // namespace
