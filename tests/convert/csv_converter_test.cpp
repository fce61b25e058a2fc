#include "convert/csv_converter.h"
#include "support/printers.h"
#include "support/recording_log.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace Windows1252::Literals;
using Math::Tenths;
using Strings = std::vector<std::string>;

TDiagramData Wien() {
    TDiagramData record;
    record.SetPlace(TDiagramData::TPlace("Wien/Österreich"_cp1252));
    record.SetCoords({48, 12, 16, 22, true, false});
    record.SetAltitude(TDiagramData::TAltitude(-7));
    TDiagramData::TMonthValues temperatures{};
    TDiagramData::TMonthValues precipitation{};
    for (int m = 0; m < 12; ++m) {
        temperatures[m] = Tenths::FromUnits(20 * m - 15);
        precipitation[m] = Tenths::FromUnits(375 + 11 * m);
    }
    record.SetTemperatures(TDiagramData::TTemperatureData(temperatures));
    record.SetPrecipitation(TDiagramData::TPrecipitationData(precipitation));
    return record;
}

class CsvConverterTest : public testing::Test {
protected:
    std::vector<TDiagramData> ImportText(const std::string& text) {
        TTempDir::Write(File, text);
        return Csv.Import(File, Log);
    }

    TTempDir Dir;
    const std::string File = Dir.File("stationen.csv");
    const CSVConverter Csv;
    TRecordingLog Log;
};

TEST_F(CsvConverterTest, ExportWritesHeaderAndOneLineAStation) {
    Csv.Export(File, Log, {Wien()});
    EXPECT_EQ(Log.Entries, Strings{"accepted"});
    const std::string expected =
        "Name;LatitudeDeg;LatitudeMin;LatitudeDir;LongitudeDeg;LongitudeMin;LongitudeDir;Altitude;"
        "TempJan;TempFeb;TempMar;TempApr;TempMay;TempJun;TempJul;TempAug;TempSep;TempOct;TempNov;"
        "TempDec;TempAvg;TempMin;TempMax;PrecJan;PrecFeb;PrecMar;PrecApr;PrecMay;PrecJun;PrecJul;"
        "PrecAug;PrecSep;PrecOct;PrecNov;PrecDec;PrecTotal;PrecMin;PrecMax\r\n"
        "Wien/\xD6sterreich;48;12;N;16;22;E;-7;"
        "-1,5;0,5;2,5;4,5;6,5;8,5;10,5;12,5;14,5;16,5;18,5;20,5;9,5;-1,5;20,5;"
        "37,5;38,6;39,7;40,8;41,9;43,0;44,1;45,2;46,3;47,4;48,5;49,6;522,6;37,5;49,6\r\n";
    EXPECT_EQ(TTempDir::Read(File), expected);
}

TEST_F(CsvConverterTest, ExportedFileReadsBackIdentical) {
    const TDiagramData wien = Wien();
    TDiagramData south = wien;
    south.SetPlace(TDiagramData::TPlace("Süd;Ort"_cp1252 + std::string()));
    Csv.Export(File, Log, {wien});
    const auto records = Csv.Import(File, Log);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(records[0].IsIdentical(wien)) << testing::PrintToString(records[0]);

    // A separator or a line end inside a name would shift or split the line: they are written
    // as "," and a blank, with a warning, and every other value reads back as it was.
    TDiagramData twoLines = wien;
    twoLines.SetPlace(TDiagramData::TPlace("Nord\r\nOrt"));
    Log.Entries.clear();
    Csv.Export(File, Log, {south, twoLines});
    EXPECT_EQ(Log.Entries, (Strings{"warning Station umbenannt: Süd;Ort --> Süd,Ort",
                                    "warning Station umbenannt: Nord\r\nOrt --> Nord  Ort"}));
    const auto renamed = Csv.Import(File, Log);
    ASSERT_EQ(renamed.size(), 2u);
    EXPECT_EQ(renamed[0].Place().Name(), "Süd,Ort"_cp1252);
    EXPECT_EQ(renamed[1].Place().Name(), "Nord  Ort");
    for (TDiagramData record : renamed) {
        record.SetPlace(wien.Place());
        EXPECT_TRUE(record.IsIdentical(wien)) << testing::PrintToString(record);
    }
}

TEST_F(CsvConverterTest, ColumnsAreFoundByNameInAnyOrder) {
    const auto records = ImportText("BreiteGrad;Name\n47;Wien\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Place().Name(), "Wien");
    EXPECT_EQ(records[0].Coords().LatitudeDegrees(), 47);
    EXPECT_EQ(records[0].Coords().LongitudeDegrees(), 0);
    EXPECT_TRUE(records[0].Coords().IsWest());
    EXPECT_EQ(records[0].Temperatures().Values(), TDiagramData::TMonthValues{});
    EXPECT_EQ(Log.Entries, Strings{"accepted"});
}

TEST_F(CsvConverterTest, AliasesAndIgnoredColumns) {
    const auto records =
        ImportText("name;Name;T1;P12;N1;Hoehe;LaengeRichtung;TAvg;PrecTotal;Extra\r\n"
                   "x;Linz;-3,25;99;12.5;266;E;77;1000;egal;mehr;noch mehr\r\n");
    ASSERT_EQ(records.size(), 1u);
    const TDiagramData& linz = records[0];
    EXPECT_EQ(linz.Place().Name(), "Linz");
    EXPECT_EQ(linz.Temperatures().Month(0), Tenths::FromUnits(-33));
    EXPECT_EQ(linz.Temperatures().Mean(), Tenths::FromUnits(-3));
    EXPECT_EQ(linz.Precipitation().Month(11), Tenths(99));
    EXPECT_EQ(linz.Precipitation().Month(0), Tenths::FromUnits(125));
    EXPECT_EQ(linz.Precipitation().Total(), Tenths::FromUnits(1115));
    EXPECT_EQ(linz.Altitude().Value(), 266);
    EXPECT_FALSE(linz.Coords().IsWest());
}

TEST_F(CsvConverterTest, EmptyFieldsAndDirections) {
    const auto records = ImportText("Name;LatitudeDeg;LatitudeMin;LatitudeDir;LongitudeDir\n"
                                    "Wien;;;n;w\n"
                                    "Graz;1;2;S\n"
                                    "Linz;1;2;x;E\n"
                                    "Enns;1;2;;\n"
                                    "Ybbs;1;2;N;W\n");
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0].Coords().LatitudeDegrees(), 0);
    EXPECT_TRUE(records[0].Coords().IsNorth());
    EXPECT_TRUE(records[0].Coords().IsWest());
    EXPECT_FALSE(records[1].Coords().IsNorth());
    EXPECT_TRUE(records[1].Coords().IsWest()); // missing field: the default stays
    EXPECT_FALSE(records[2].Coords().IsNorth());
    EXPECT_FALSE(records[2].Coords().IsWest());
    EXPECT_FALSE(records[3].Coords().IsNorth());
    EXPECT_FALSE(records[3].Coords().IsWest());
    EXPECT_TRUE(records[4].Coords().IsNorth());
    EXPECT_TRUE(records[4].Coords().IsWest());
}

TEST_F(CsvConverterTest, RefusedValuesDropTheirStation) {
    const auto records = ImportText("Name;LatitudeDeg;TempJul;Altitude\n"
                                    "Nord;91;0;5\n"
                                    "\n"
                                    "Heiß;1;61;5\n"
                                    ";1;1;1\n"
                                    "Gut;1;1;1\n"_cp1252);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Place().Name(), "Gut");
    EXPECT_EQ(Log.Entries,
              (Strings{"error Station Nord: Datenbank: Koordinate für Geografische Breite (Grad) "
                       "außerhalb des gültigen Bereichs: 91",
                       "error Station Heiß: Datenbank: Temperatur für Monat Juli außerhalb des "
                       "gültigen Bereichs: 61.0",
                       "error Station : Datenbank: Name \"\" ist ungültig", "accepted"}));
}

TEST_F(CsvConverterTest, ARecordWithoutAValidNameIsNeverAccepted) {
    // Without a name column every record keeps the empty name of a new record.
    EXPECT_TRUE(ImportText("BreiteGrad;Hoehe\n47;100\n48;200\n").empty());
    EXPECT_EQ(Log.Entries, (Strings{"error Station : Datenbank: Name \"\" ist ungültig",
                                    "error Station : Datenbank: Name \"\" ist ungültig"}));

    // A header with no known column at all reads nothing and says so once.
    Log.Entries.clear();
    EXPECT_TRUE(ImportText("Ort;Breite\nWien;48\nGraz;47\n").empty());
    EXPECT_EQ(Log.Entries, Strings{"error Kopfzeile ohne bekannte Spalte"});
}

TEST_F(CsvConverterTest, AByteOrderMarkMeansUtf8) {
    const auto records = ImportText("\xEF\xBB\xBFName;BreiteGrad\r\n"
                                    "München;48\r\n"
                                    "Zürich ☀;47\r\n"
                                    "Łódź;51\r\n"
                                    "Köln;50\r\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Place().Name(), "München"_cp1252);
    EXPECT_EQ(records[0].Coords().LatitudeDegrees(), 48);
    EXPECT_EQ(records[1].Place().Name(), "Köln"_cp1252);
    EXPECT_EQ(
        Log.Entries,
        (Strings{"accepted", "error Station Zürich ?: Text mit Zeichen außerhalb von Windows-1252",
                 "error Station ?ód?: Text mit Zeichen außerhalb von Windows-1252", "accepted"}));

    // Without the mark the bytes are Windows-1252, as always.
    EXPECT_EQ(ImportText("Name\nM\xFCnchen\n")[0].Place().Name(), "München"_cp1252);
}

TEST_F(CsvConverterTest, MissingEmptyOrHeaderOnlyFilesGiveNothing) {
    EXPECT_TRUE(Csv.Import(Dir.File("fehlt.csv"), Log).empty());
    EXPECT_TRUE(ImportText("").empty());
    EXPECT_TRUE(ImportText("\nName\nWien\n").empty());
    EXPECT_TRUE(ImportText("Name;TempJan\r\n").empty());
    // A pipe is no file: nothing waits for a writer (the alarm would end a wait).
    ASSERT_EQ(::mkfifo(Dir.File("pipe.csv").c_str(), 0666), 0);
    ::alarm(20);
    EXPECT_TRUE(Csv.Import(Dir.File("pipe.csv"), Log).empty());
    ::alarm(0);
    EXPECT_TRUE(Log.Entries.empty());
}

TEST_F(CsvConverterTest, RecognisesItsExtensionOnly) {
    EXPECT_TRUE(Csv.CanImport("a.csv"));
    EXPECT_TRUE(Csv.CanImport("/x.y/A.CsV"));
    EXPECT_FALSE(Csv.CanImport("a.csv.bak"));
    EXPECT_FALSE(Csv.CanImport("csv"));
    EXPECT_FALSE(Csv.CanImport("dir.csv/file"));
}

} // namespace
