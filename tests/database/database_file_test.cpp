#include "database/database_mgr.h"
#include "model/windows1252.h"
#include "support/printers.h"
#include "support/stream_bytes.h"
#include "support/temp_dir.h"

#include "support/file_limits.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using namespace Windows1252::Literals;
using Math::Tenths;

TDiagramData Station(const char* name, long altitude, std::int64_t januaryTenths = 0) {
    TDiagramData record;
    record.SetPlace(TDiagramData::TPlace(name));
    record.SetCoords({48, 12, 16, 22, true, false});
    record.SetAltitude(TDiagramData::TAltitude(altitude));
    TDiagramData::TMonthValues values{};
    values[0] = Tenths::FromUnits(januaryTenths);
    values[6] = Tenths(20);
    record.SetTemperatures(TDiagramData::TTemperatureData(values));
    values[0] = Tenths(0);
    values[6] = Tenths(100);
    record.SetPrecipitation(TDiagramData::TPrecipitationData(values));
    return record;
}

std::string LoadError(const std::string& file) {
    try {
        TDatabaseMgr database(file, false, false);
    } catch (const TDatabaseMgr::TXBase& error) {
        return error.what();
    }
    return "(loaded)";
}

class DatabaseFileTest : public testing::Test {
protected:
    TTempDir Dir;
    const std::string File = Dir.File("pelvanor.dat");
};

const std::string EmptyDatabase = TStreamBytes().Header(0).Bytes;

TEST_F(DatabaseFileTest, MissingFileBecomesAnEmptyDatabase) {
    TDatabaseMgr database(File, false, false);
    EXPECT_EQ(database.Count(), 0);
    EXPECT_FALSE(database.IsModified());
    ASSERT_TRUE(database.Header());
    EXPECT_EQ(database.Header()->Version, 3);
    EXPECT_EQ(database.Header()->RecordCount, 0u);
    EXPECT_EQ(TTempDir::Read(File), EmptyDatabase);
    EXPECT_EQ(EmptyDatabase.size(), 34u);
}

TEST_F(DatabaseFileTest, SavingAnEmptyDatabaseWritesTheHeaderOnly) {
    TTempDir::Write(File, TStreamBytes().Header(1).Record("Alt", 3).Bytes);
    TDatabaseMgr database(File, false, false);
    database.RemoveAt(0);
    database.Save();
    EXPECT_EQ(TTempDir::Read(File), EmptyDatabase);
    EXPECT_FALSE(database.IsModified());
}

TEST_F(DatabaseFileTest, SaveAndLoadReproduceTheList) {
    {
        TDatabaseMgr database(File, false, false);
        for (const char* name : {"Wien/Österreich", "Koeln/D", "Köln/D", "Berlin/D", "Zürich/CH",
                                 "berlin/D", "Ümraniye/TR"})
            database.Add(Station(Windows1252::FromUtf8(name)->c_str(), 100), false);
        database.Add(Station("Linz/Österreich"_cp1252, -3, -123), false);
        EXPECT_TRUE(database.IsModified());
        database.Save();
        EXPECT_FALSE(database.IsModified());
        EXPECT_EQ(database.Header()->RecordCount, 8u);
        EXPECT_FALSE(database.RecordAt(0).IsChanged());
    }
    TDatabaseMgr reloaded(File, false, false);
    ASSERT_EQ(reloaded.Count(), 8);
    const char* const order[] = {"Berlin/D",        "berlin/D",    "Koeln/D",         "Köln/D",
                                 "Linz/Österreich", "Ümraniye/TR", "Wien/Österreich", "Zürich/CH"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Windows1252::ToUtf8(reloaded.RecordAt(i).Place().Name()), order[i]);
    EXPECT_EQ(reloaded.RecordAt(4).Temperatures().Month(0), Tenths::FromUnits(-123));
    EXPECT_EQ(reloaded.RecordAt(4).Altitude().Value(), -3);

    // Saving what was read writes the same bytes again.
    const std::string first = TTempDir::Read(File);
    reloaded.Save();
    EXPECT_EQ(TTempDir::Read(File), first);
}

TEST_F(DatabaseFileTest, HeaderRules) {
    TTempDir::Write(File, TStreamBytes().Header(0).Bytes + "trailing bytes are never read");
    EXPECT_EQ(LoadError(File), "(loaded)");

    TTempDir::Write(File, TStreamBytes().Header(0, 4).Bytes);
    EXPECT_EQ(LoadError(File), "Datenbank-Manager: Ungültiger Datenbank-Header!"_cp1252);
    TTempDir::Write(File, TStreamBytes().Header(0, 3).Bytes);
    EXPECT_EQ(LoadError(File), "(loaded)");
    TTempDir::Write(File, TStreamBytes().Header(0, -7).Bytes);
    EXPECT_EQ(LoadError(File), "(loaded)");

    TTempDir::Write(File, TStreamBytes().Header(0, 3, "pelvanor database").Bytes);
    EXPECT_EQ(LoadError(File), "Datenbank-Manager: Ungültiger Datenbank-Header!"_cp1252);
    TTempDir::Write(File, "");
    EXPECT_EQ(LoadError(File), "Datenbank-Manager: Ungültiger Datenbank-Header!"_cp1252);

    // The signature is there, the rest of the header is not.
    TTempDir::Write(File, TStreamBytes().String("Pelvanor Database").Int32(3).Bytes);
    EXPECT_EQ(LoadError(File), "Datenbank-Manager: Ein-/Ausgabe-Fehler");
}

TEST_F(DatabaseFileTest, OlderStreamAndRecordGenerationsLoad) {
    TStreamBytes bytes(0x0100);
    bytes.Header(3).Record("Alpha", 1).Record("Beta", 2).Record("Gamma", 3);
    TTempDir::Write(File, bytes.Bytes);
    TDatabaseMgr database(File, false, false);
    ASSERT_EQ(database.Count(), 3);
    EXPECT_TRUE(database.RecordAt(0).Precipitation() == database.RecordAt(2).Precipitation());
    EXPECT_TRUE(database.RecordAt(1).Temperatures() == database.RecordAt(2).Temperatures());

    TStreamBytes oldest(std::nullopt);
    oldest.Header(1).Record("Delta", 1);
    TTempDir::Write(File, oldest.Bytes);
    database.Load(false, false);
    ASSERT_EQ(database.Count(), 1);
    EXPECT_EQ(database.RecordAt(0).Place().Name(), "Delta");
}

TEST_F(DatabaseFileTest, BrokenRecordsAreDataErrors) {
    TTempDir::Write(File, TStreamBytes().Header(3).Record("Eins", 3).Record("Zwei", 3).Bytes);
    try {
        TDatabaseMgr database(File, false, false);
        FAIL();
    } catch (const TDatabaseMgr::TXCorruptData& error) {
        EXPECT_STREQ(error.what(), "Datenbank-Manager: Unbekannter Datenfehler");
        EXPECT_FALSE(error.HasCause());
    }

    // A length far beyond the end of the file.
    TStreamBytes huge;
    huge.Header(1).Begin("TDiagramData", 3).Begin("TDiagramData::TPlace", 3).Word32(0xFFFFFFF0);
    TTempDir::Write(File, huge.Bytes + "short");
    EXPECT_EQ(LoadError(File), "Datenbank-Manager: Unbekannter Datenfehler");
}

TEST_F(DatabaseFileTest, RangeErrorsCarryTheRecordMessage) {
    TStreamBytes bytes;
    bytes.Header(1).Begin("TDiagramData", 3);
    bytes.Begin("TDiagramData::TPlace", 3).String("Heiß").End();
    bytes.Begin("TDiagramData::TCoords", 3).String("1").String("2").String("3").String("4");
    bytes.Word32(1).Word32(1).End();
    bytes.Begin("TDiagramData::TAltitude", 3).String("0").End();
    bytes.Begin("TDiagramData::TTemperatureData", 3).String("70.0");
    for (int m = 1; m < 12; ++m)
        bytes.String("0.0");
    TTempDir::Write(File, bytes.Bytes);
    try {
        TDatabaseMgr database(File, false, false);
        FAIL();
    } catch (const TDatabaseMgr::TXCorruptData& error) {
        EXPECT_STREQ(error.what(), "Datenbank-Manager: Datenfehler: Datenbank: Temperatur für "
                                   "Monat Januar außerhalb des gültigen Bereichs: 70.0"_cp1252);
        EXPECT_TRUE(error.HasCause());
    }
}

// A list read only up to a damaged record must never be saved over the file: the stations
// behind the damage would be gone.
TEST_F(DatabaseFileTest, AFailedLoadKeepsTheListAndItsChanges) {
    TStreamBytes file;
    file.Header(4).Record("Eins", 3).Record("Zwei", 3).Record("Drei", 3).Record("Vier", 3);
    TTempDir::Write(File, file.Bytes);
    TDatabaseMgr database(File, false, false);
    database.Add(Station("Neu", 1), false);

    TStreamBytes damaged;
    damaged.Header(4).Record("Eins", 3).Record("Zwei", 3);
    TTempDir::Write(File, damaged.Bytes + "kaputt" + file.Bytes.substr(damaged.Bytes.size()));
    for (const bool keepRecords : {false, true})
        EXPECT_THROW(database.Load(keepRecords, false), TDatabaseMgr::TXCorruptData);
    ASSERT_EQ(database.Count(), 5);
    for (const char* name : {"Neu", "Vier"})
        EXPECT_GE(database.Find(TDiagramData::TPlace(name), -1, true), 0) << name;
    EXPECT_EQ(database.Header()->RecordCount, 4u);
    EXPECT_TRUE(database.IsModified());

    database.Save();
    EXPECT_EQ(TDatabaseMgr(File, false, false).Count(), 5);
}

TEST_F(DatabaseFileTest, ReloadDropsChangesAndCreateNewStartsOver) {
    TTempDir::Write(File, TStreamBytes().Header(1).Record("Eins", 3).Bytes);
    TDatabaseMgr database(File, false, false);
    database.Add(Station("Zwei", 1), false);
    database.Load(false, false);
    EXPECT_EQ(database.Count(), 1);
    EXPECT_FALSE(database.IsModified());
    // Keeping the records reads the file's records behind them.
    database.Load(true, false);
    EXPECT_EQ(database.Count(), 2);

    database.Load(false, true);
    EXPECT_EQ(database.Count(), 0);
    EXPECT_EQ(TTempDir::Read(File), EmptyDatabase);
}

TEST_F(DatabaseFileTest, TemporaryManagerNeverTouchesAFile) {
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(Dir.Path);
    {
        TDatabaseMgr temporary("", true, true);
        temporary.Add(Station("Eins", 1), false);
        temporary.Save();
        temporary.Load(false, true);
        EXPECT_EQ(temporary.Count(), 1);
        EXPECT_FALSE(temporary.Header());
    }
    std::filesystem::current_path(before);
    EXPECT_TRUE(std::filesystem::is_empty(Dir.Path));
}

TEST_F(DatabaseFileTest, DestructionSavesOnlyWhenAsked) {
    {
        TDatabaseMgr database(File, true, false);
        database.Add(Station("Eins", 1), false);
    }
    EXPECT_EQ(TDatabaseMgr(File, false, false).Count(), 1);
    {
        TDatabaseMgr database(File, false, false);
        database.Add(Station("Zwei", 1), false);
    }
    EXPECT_EQ(TDatabaseMgr(File, false, false).Count(), 1);
}

TEST_F(DatabaseFileTest, AFileThatCannotBeReadIsNeverReplacedAndTheErrorSaysWhy) {
    std::filesystem::create_directory(File);
    EXPECT_EQ(LoadError(File),
              "Datenbank-Manager: Ein-/Ausgabe-Fehler: " + File + ": Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(File));

    std::filesystem::remove(File);
    TTempDir::Write(File, TStreamBytes().Header(1).Record("Eins", 3).Bytes);
    ::chmod(File.c_str(), 0);
    std::filesystem::permissions(Dir.Path, std::filesystem::perms::all);
    EXPECT_EQ(RunInChild([this] {
                  return LoadError(File) ==
                         "Datenbank-Manager: Ein-/Ausgabe-Fehler: " + File + ": Permission denied";
              }),
              0);
    EXPECT_EQ(std::filesystem::file_size(File),
              TStreamBytes().Header(1).Record("Eins", 3).Bytes.size());
}

TEST_F(DatabaseFileTest, FailedSaveKeepsTheOldFileAndTheChanges) {
    TTempDir::Write(File, TStreamBytes().Header(1).Record("Eins", 3).Bytes);
    const std::string before = TTempDir::Read(File);
    TDatabaseMgr database(File, false, false);
    for (int i = 0; i < 20; ++i)
        database.Add(Station(("Station " + std::to_string(i)).c_str(), i), false);

    {
        // No file may grow beyond a few hundred bytes while saving.
        const TFullDisk fullDisk(500);
        EXPECT_THROW(database.Save(), TDatabaseMgr::TXInOut);
    }

    EXPECT_EQ(TTempDir::Read(File), before);
    EXPECT_TRUE(database.IsModified());
    EXPECT_EQ(database.Header()->RecordCount, 1u);
    try {
        const TFullDisk fullDisk(500);
        database.Save();
    } catch (const TDatabaseMgr::TXInOut& error) {
        EXPECT_EQ(error.what(),
                  "Datenbank-Manager: Ein-/Ausgabe-Fehler: " + File + ": File too large");
    }
    // No half-written file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(DatabaseFileTest, SavingIntoAMissingFolderFails) {
    EXPECT_THROW(TDatabaseMgr(Dir.File("missing/pelvanor.dat"), false, false),
                 TDatabaseMgr::TXInOut);
}

// Saving as an ordinary user, who may write the folder, to which the file belongs or not.
class DatabaseProtectionTest : public DatabaseFileTest {
protected:
    void SetUp() override {
        TTempDir::Write(File, TStreamBytes().Header(1).Record("Eins", 3).Bytes);
        std::filesystem::permissions(Dir.Path, std::filesystem::perms::all);
    }
    // Loads, adds a station and saves; true when the save succeeded.
    bool AddAndSave() const {
        TDatabaseMgr database(File, false, false);
        database.Add(Station("Zwei", 1), false);
        try {
            database.Save();
            return true;
        } catch (const TDatabaseMgr::TXInOut&) {
            return false;
        }
    }
};

TEST_F(DatabaseProtectionTest, AFileTheUserMayNotWriteIsNotReplaced) {
    ::chmod(File.c_str(), 0444);
    const std::string before = TTempDir::Read(File);
    EXPECT_EQ(RunInChild([this] { return !AddAndSave(); }), 0);
    EXPECT_EQ(TTempDir::Read(File), before);
}

TEST_F(DatabaseProtectionTest, AReplacedFileKeepsItsModeOwnerAndGroup) {
    ::chmod(File.c_str(), 0640);
    struct stat before {};
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(File.c_str(), 65534, 65534), 0);
    }
    ::stat(File.c_str(), &before);
    ASSERT_TRUE(AddAndSave());

    struct stat after {};
    ::stat(File.c_str(), &after);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(TDatabaseMgr(File, false, false).Count(), 2);
}

TEST_F(DatabaseProtectionTest, InAFolderWithoutRoomForANewFileTheFileIsWrittenInPlace) {
    ::chmod(File.c_str(), 0666);
    std::filesystem::permissions(
        Dir.Path, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                      std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                      std::filesystem::perms::others_exec);
    const std::string before = TTempDir::Read(File);
    // A full disk stops the write before the old content is touched.
    EXPECT_EQ(RunInChild([this] {
                  const TFullDisk fullDisk(200);
                  return !AddAndSave();
              }),
              0);
    EXPECT_EQ(TTempDir::Read(File), before);

    EXPECT_EQ(RunInChild([this] { return AddAndSave(); }), 0);
    TDatabaseMgr saved(File, false, false);
    ASSERT_EQ(saved.Count(), 2);
    EXPECT_EQ(saved.RecordAt(1).Place().Name(), "Zwei");
    std::filesystem::permissions(Dir.Path, std::filesystem::perms::owner_all);
}

TEST_F(DatabaseFileTest, APipeOrDeviceIsRefusedAtOnce) {
    // A wait for a writer would end this test by its alarm.
    ASSERT_EQ(::mkfifo(File.c_str(), 0666), 0);
    ::alarm(20);
    EXPECT_EQ(LoadError(File),
              "Datenbank-Manager: Ein-/Ausgabe-Fehler: " + File + ": keine regul\xE4re Datei");
    EXPECT_THROW(TDatabaseMgr::ReadOnly(File), TDatabaseMgr::TXInOut);
    EXPECT_EQ(LoadError("/dev/zero"),
              "Datenbank-Manager: Ein-/Ausgabe-Fehler: /dev/zero: keine regul\xE4re Datei");
    ::alarm(0);
    EXPECT_TRUE(std::filesystem::is_fifo(File));
}

TEST_F(DatabaseFileTest, AHugeFileOfAnotherKindIsRefusedByItsHeader) {
    // A terabyte that takes no room: nothing of it may be reserved or read beyond the header.
    TTempDir::Write(File, "");
    ASSERT_EQ(::truncate(File.c_str(), off_t{1} << 40), 0);
    EXPECT_EQ(LoadError(File), "Datenbank-Manager: Ungültiger Datenbank-Header!"_cp1252);
    EXPECT_EQ(std::filesystem::file_size(File), std::uintmax_t{1} << 40);
}

#if !defined(__SANITIZE_ADDRESS__)
// The file is read piece by piece: a gigabyte in a process that may hold half of it.
TEST_F(DatabaseFileTest, AFileLargerThanMemoryIsReadPieceByPiece) {
    TStreamBytes bytes;
    bytes.Header(2).Record("Eins", 3).Record("Zwei", 3);
    TTempDir::Write(File, bytes.Bytes);
    // Bytes after the counted records are never read, however many there are.
    ASSERT_EQ(::truncate(File.c_str(), off_t{1} << 30), 0);
    std::filesystem::permissions(Dir.Path, std::filesystem::perms::all);
    const auto loads = [this] {
        const TDatabaseMgr database(File, false, false);
        return database.Count() == 2 && database.RecordAt(1).Place().Name() == "Zwei";
    };
    EXPECT_EQ(RunInChild(loads, rlim_t{512} << 20), 0);

    // A name that claims more bytes than memory holds.
    TStreamBytes hugeName;
    hugeName.Header(1).Begin("TDiagramData", 3).Begin("TDiagramData::TPlace", 3);
    hugeName.Word32(900u << 20);
    TTempDir::Write(File, hugeName.Bytes);
    ASSERT_EQ(::truncate(File.c_str(), off_t{1} << 30), 0);
    const auto failsWithInOut = [this] {
        return LoadError(File) ==
               "Datenbank-Manager: Ein-/Ausgabe-Fehler: " + File + ": Cannot allocate memory";
    };
    EXPECT_EQ(RunInChild(failsWithInOut, rlim_t{512} << 20), 0);
}
#endif

} // namespace
