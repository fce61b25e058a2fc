#include "convert/old_tvx_db_converters.h"
#include "support/old_records.h"
#include "support/printers.h"
#include "support/recording_log.h"
#include "support/stream_bytes.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using namespace Windows1252::Literals;
using Math::Tenths;
using Strings = std::vector<std::string>;

class OldDatabaseTest : public testing::Test {
protected:
    std::vector<TDiagramData> ImportVer1(const std::string& bytes) {
        const std::string file = Dir.File("PELVANOR.DAT");
        TTempDir::Write(file, bytes);
        return Ver1.Import(file, Log);
    }
    std::vector<TDiagramData> ImportVer2(const std::string& bytes) {
        const std::string file = Dir.File("tvx.dat");
        TTempDir::Write(file, bytes);
        return Ver2.Import(file, Log);
    }

    TTempDir Dir;
    const OldTvxDBVer1Converter Ver1;
    const OldTvxDBVer2Converter Ver2;
    TRecordingLog Log;
};

TEST_F(OldDatabaseTest, FirstGenerationRecords) {
    TOldRecord record;
    const auto records = ImportVer1(record.Bytes(false) + record.Bytes(false).substr(0, 6));
    ASSERT_EQ(records.size(), 1u); // the six trailing bytes are no record
    EXPECT_EQ(record.Bytes(false).size(), 147u);
    const TDiagramData& wien = records[0];
    EXPECT_EQ(wien.PositionText(), "48°N/16°E, 171m"_cp1252);
    EXPECT_EQ(wien.Temperatures().Month(0), Tenths::FromUnits(-15));
    EXPECT_EQ(wien.Temperatures().Month(7), Tenths::FromUnits(198)); // 19.75 half up
    EXPECT_EQ(wien.Precipitation().Month(6), Tenths(70));
    EXPECT_EQ(wien.Precipitation().Total(), Tenths(660));
    EXPECT_EQ(Log.Entries, Strings{"accepted"});
}

TEST_F(OldDatabaseTest, SecondGenerationHasMinutes) {
    TOldRecord record;
    EXPECT_EQ(record.Bytes(true).size(), 153u);
    const auto records = ImportVer2(record.Bytes(true) + record.Bytes(true));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].PositionText(), "48°12'N/16°22'E, 171m"_cp1252);
    EXPECT_EQ(records[1].Temperatures().Month(11), Tenths(0));
}

TEST_F(OldDatabaseTest, ThreeHundredBytesAreTwoFirstGenerationRecords) {
    TOldRecord record;
    const std::string bytes = record.Bytes(false) + record.Bytes(false) + std::string(6, 'x');
    ASSERT_EQ(bytes.size(), 300u);
    EXPECT_EQ(ImportVer1(bytes).size(), 2u);
    // Such a file is not offered to this filter, though.
    EXPECT_FALSE(Ver1.CanImport(Dir.File("PELVANOR.DAT")));
}

TEST_F(OldDatabaseTest, HemisphereLetters) {
    TOldRecord record;
    record.Latitude = "33";
    record.Longitude = " 70";
    EXPECT_EQ(ImportVer1(record.Bytes(false))[0].Coords().Text(), "33°N/70°W"_cp1252);
    record.Latitude = "33s";
    record.Longitude = "70 e";
    EXPECT_EQ(ImportVer1(record.Bytes(false))[0].Coords().Text(), "33°S/70°E"_cp1252);
    record.Latitude = "1xNS"; // the first of the letters counts
    record.Longitude = "2EW";
    EXPECT_EQ(ImportVer1(record.Bytes(false))[0].Coords().Text(), "1°N/2°E"_cp1252);
}

TEST_F(OldDatabaseTest, NamesAreConvertedAndCleaned) {
    TOldRecord record;
    record.Name = "M\x81nchen [Ost]^*?+$"; // 0x81 is ü in the DOS code page
    const auto records = ImportVer1(record.Bytes(false));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Place().Name(), "München (Ost)     "_cp1252);
    EXPECT_EQ(Log.Entries,
              Strings{"warning Station umbenannt: München [Ost]^*?+$ --> München (Ost)     "});

    record.Name = std::string(27, 'a') + "bcd";
    record.NameLength = 200;
    EXPECT_EQ(ImportVer1(record.Bytes(false))[0].Place().Name(), std::string(27, 'a'));
}

TEST_F(OldDatabaseTest, ControlCharactersInNamesBecomeBlanks) {
    TOldRecord record;
    record.Name = "Nord\nSee\tOst\x7F";
    const auto records = ImportVer2(record.Bytes(true));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Place().Name(), "Nord See Ost ");
    EXPECT_EQ(Log.Entries,
              Strings{"warning Station umbenannt: Nord\nSee\tOst\x7F --> Nord See Ost "});
}

TEST_F(OldDatabaseTest, RefusedRecordsAreReportedAndSkipped) {
    TOldRecord bad;
    bad.Name = "Nordpol";
    bad.Latitude = "95N";
    TOldRecord wet;
    wet.Name = "Trocken";
    wet.Precipitation[3] = -2;
    TOldRecord good;
    const auto records = ImportVer1(bad.Bytes(false) + wet.Bytes(false) + good.Bytes(false));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Log.Entries,
              (Strings{"error Station Nordpol: Datenbank: Koordinate für Geografische Breite "
                       "(Grad) außerhalb des gültigen Bereichs: 95",
                       "error Station Trocken: Datenbank: Niederschlag für Monat April außerhalb "
                       "des gültigen Bereichs: -2.0",
                       "accepted"}));
}

TEST_F(OldDatabaseTest, RecognisedByNameImportOnly) {
    const auto stored = [this](const std::string& name, bool secondGeneration) {
        TTempDir::Write(Dir.File(name), TOldRecord().Bytes(secondGeneration));
        return Dir.File(name);
    };
    EXPECT_TRUE(Ver1.CanImport(stored("Venox2.DAT", false)));
    EXPECT_TRUE(Ver1.CanImport(stored("pelvanor", false)));
    EXPECT_FALSE(Ver1.CanImport(stored("tvx.dat", false)));
    EXPECT_TRUE(Ver2.CanImport(stored("TVX.dat", true)));
    EXPECT_FALSE(Ver2.CanImport(stored("tvx2.dat", true)));
    EXPECT_FALSE(Ver1.CanImport(Dir.File("venox2")));
    EXPECT_TRUE(ImportVer1("").empty());
    EXPECT_TRUE(Ver1.Import(Dir.File("fehlt.dat"), Log).empty());
    EXPECT_TRUE(Log.Entries.empty());

    Ver1.Export(Dir.File("x.dat"), Log, {});
    EXPECT_EQ(Log.Entries, Strings{"message Export nicht möglich."});
    EXPECT_FALSE(Ver2.CanExport());
}

// The files carry no signature: the name, the size and the first record's length bytes must all
// fit, and a file that begins like a current database never does, whatever else fits.
TEST_F(OldDatabaseTest, ClaimedOnlyWhenSizeAndFirstRecordFit) {
    const std::string first = TOldRecord().Bytes(false);
    const std::string second = TOldRecord().Bytes(true);
    TOldRecord longName;
    longName.NameLength = 28;
    TOldRecord noName;
    noName.Name = "";
    TOldRecord longMinutes;
    longMinutes.LatitudeMinutes = "123";
    // A version-0 stream of the current database starts with the signature's length byte, as a
    // name would, and fills a first-generation record with plausible bytes.
    const auto streamStart = [](std::string_view signature) {
        std::string bytes = TStreamBytes(std::nullopt).Header(0, 3, signature).Bytes;
        bytes.resize(147, '\x02');
        return bytes;
    };
    const auto repeat = [](const std::string& bytes, int times) {
        std::string all;
        for (int i = 0; i < times; ++i)
            all += bytes;
        return all;
    };
    struct TCase {
        std::string Bytes;
        bool First;
        bool Second;
    };
    const std::vector<TCase> cases = {
        {first + first, true, false},
        {second + second, false, true},
        {first + first.substr(0, 6), false, false},
        {first.substr(0, 146), false, false},
        {"", false, false},
        {longName.Bytes(false), false, false},
        {noName.Bytes(false), false, false},
        // 147 records of 153 bytes fit both sizes; only the second generation has minutes.
        {repeat(second, 147), true, true},
        {repeat(longMinutes.Bytes(true), 147), true, false},
        {streamStart("Pelvanor Datenbank"), true, false},
        {streamStart("Pelvanor Database"), false, false},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        TTempDir::Write(Dir.File("pelvanor.dat"), cases[i].Bytes);
        TTempDir::Write(Dir.File("tvx.dat"), cases[i].Bytes);
        EXPECT_EQ(Ver1.CanImport(Dir.File("pelvanor.dat")), cases[i].First) << "case " << i;
        EXPECT_EQ(Ver2.CanImport(Dir.File("tvx.dat")), cases[i].Second) << "case " << i;
    }
}

TEST_F(OldDatabaseTest, AFileThatCannotBeReadIsSaidSo) {
    std::filesystem::create_directory(Dir.File("tvx.dat"));
    EXPECT_FALSE(Ver2.CanImport(Dir.File("tvx.dat")));
    EXPECT_TRUE(Ver2.Import(Dir.File("tvx.dat"), Log).empty());
    EXPECT_EQ(Log.Entries, Strings{"error Datei kann nicht gelesen werden: " + Dir.File("tvx.dat") +
                                   ": Is a directory"});
}

} // namespace
