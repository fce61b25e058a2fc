#include "convert/tvx_db_converter.h"
#include "database/database_mgr.h"
#include "support/printers.h"
#include "support/recording_log.h"
#include "support/stream_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

TDiagramData Station(const std::string& name, long altitude) {
    TDiagramData record;
    record.SetPlace(TDiagramData::TPlace(name));
    record.SetAltitude(TDiagramData::TAltitude(altitude));
    return record;
}

class TvxDBConverterTest : public testing::Test {
protected:
    TTempDir Dir;
    const std::string File = Dir.File("export.dat");
    const TvxDBConverter Native;
    TRecordingLog Log;
};

TEST_F(TvxDBConverterTest, ExportReplacesTheFileWithTheStations) {
    TTempDir::Write(File, TStreamBytes().Header(1).Record("Alt", 3).Bytes);
    Native.Export(File, Log, {Station("Neu", 1), Station("Neu", 2), Station("Anders", 3)});
    EXPECT_EQ(Log.Entries, (Strings{"accepted", "accepted", "error unbekannte Ursache"}));

    const auto database = TDatabaseMgr::ReadOnly(File);
    ASSERT_EQ(database->Count(), 2);
    EXPECT_EQ(database->RecordAt(0).Place().Name(), "Anders");
    EXPECT_EQ(database->RecordAt(1).Place().Name(), "Neu");
    EXPECT_EQ(database->RecordAt(1).Altitude().Value(), 2); // the later one of the name
}

TEST_F(TvxDBConverterTest, ImportYieldsEveryRecordAccepted) {
    TTempDir::Write(File, TStreamBytes().Header(2).Record("Eins", 3).Record("Zwei", 1).Bytes);
    EXPECT_TRUE(Native.CanImport(File));
    const auto records = Native.Import(File, Log);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].Place().Name(), "Zwei");
    EXPECT_EQ(Log.Entries, (Strings{"accepted", "accepted"}));
}

TEST_F(TvxDBConverterTest, ProbingNeverCreatesOrChangesAFile) {
    EXPECT_FALSE(Native.CanImport(Dir.File("fehlt.dat")));
    EXPECT_FALSE(std::filesystem::exists(Dir.File("fehlt.dat")));

    TTempDir::Write(File, "kein Datenbankinhalt");
    EXPECT_FALSE(Native.CanImport(File));
    EXPECT_EQ(TTempDir::Read(File), "kein Datenbankinhalt");

    std::filesystem::create_directory(Dir.File("ordner.dat"));
    EXPECT_FALSE(Native.CanImport(Dir.File("ordner.dat")));
    EXPECT_TRUE(std::filesystem::is_directory(Dir.File("ordner.dat")));

    EXPECT_TRUE(Native.Import(Dir.File("fehlt.dat"), Log).empty());
    EXPECT_EQ(Log.Entries, Strings{"error Datenbank-Manager: Ein-/Ausgabe-Fehler: " +
                                   Dir.File("fehlt.dat") + ": No such file or directory"});
    EXPECT_FALSE(std::filesystem::exists(Dir.File("fehlt.dat")));
}

} // namespace
