#include "convert/csv_converter.h"
#include "convert/text_lines.h"
#include "support/file_limits.h"
#include "support/printers.h"
#include "support/recording_log.h"
#include "support/temp_dir.h"

#include <filesystem>
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
    EXPECT_TRUE(Log.Entries.empty());
}

// A file that exists but cannot be read says so once, with its name and the system's reason.
TEST_F(CsvConverterTest, AFileThatCannotBeReadIsSaidSo) {
    // A pipe is no file: nothing waits for a writer (the alarm would end a wait).
    const std::string pipe = Dir.File("pipe.csv");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    ::alarm(20);
    EXPECT_TRUE(Csv.Import(pipe, Log).empty());
    ::alarm(0);
    const std::string folder = Dir.File("ordner.csv");
    std::filesystem::create_directory(folder);
    EXPECT_TRUE(Csv.Import(folder, Log).empty());
    EXPECT_EQ(Log.Entries,
              (Strings{"error Datei kann nicht gelesen werden: " + pipe + ": keine reguläre Datei",
                       "error Datei kann nicht gelesen werden: " + folder + ": Is a directory"}));

    std::string stations = "Name;BreiteGrad\r\n";
    for (int i = 0; i < 95; ++i)
        stations += "Station " + std::to_string(i) + ";" + std::to_string(i % 90) + "\r\n";
    TTempDir::Write(File, stations);
    ::chmod(File.c_str(), 0);
    std::filesystem::permissions(Dir.Path, std::filesystem::perms::all);
    EXPECT_EQ(RunInChild([this] {
                  TRecordingLog log;
                  return Csv.Import(File, log).empty() &&
                         log.Entries == Strings{"error Datei kann nicht gelesen werden: " + File +
                                                ": Permission denied"};
              }),
              0);
}

// Number columns take numbers only: an empty field is 0, anything else that is no number drops
// its station with an error that names the column.
TEST_F(CsvConverterTest, NumberColumnsTakeNumbersOnly) {
    const auto records = ImportText("Name;TempJan;TempFeb;TempMar;TempApr;PrecJan;Hoehe\n"
                                    "Wien;;  ; 12,34 ;-0.5;+7;-7\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Temperatures().Month(0), Tenths(0));
    EXPECT_EQ(records[0].Temperatures().Month(1), Tenths(0));
    EXPECT_EQ(records[0].Temperatures().Month(2), Tenths::FromUnits(123));
    EXPECT_EQ(records[0].Temperatures().Month(3), Tenths::FromUnits(-5));
    EXPECT_EQ(records[0].Precipitation().Month(0), Tenths(7));
    EXPECT_EQ(records[0].Altitude().Value(), -7);

    using TField = std::pair<std::string, std::string>;
    for (const auto& [column, field] :
         {TField{"TempJan", "abc"}, TField{"TempJan", "1e5"}, TField{"TempJan", "12,3,4"},
          TField{"TempJan", "1 2"}, TField{"TempJan", "--1"}, TField{"PrecJan", "12."},
          TField{"PrecJan", ",5"}, TField{"Hoehe", "171.0"}, TField{"Hoehe", "171m"},
          TField{"BreiteGrad", "4x"}, TField{"LatitudeMin", "5,5"}}) {
        Log.Entries.clear();
        EXPECT_TRUE(ImportText("Name;" + column + "\nWien;" + field + "\n").empty());
        EXPECT_EQ(Log.Entries, Strings{"error Station Wien: Spalte " + column + ": \"" + field +
                                       "\" ist keine Zahl"});
    }
}

// A spreadsheet saves UTF-8 without the byte-order mark: a file that is valid UTF-8 throughout
// and holds a character beyond ASCII is read as UTF-8.
TEST_F(CsvConverterTest, Utf8WithoutByteOrderMark) {
    auto records = ImportText("Name;BreiteGrad\r\nZürich;47\r\nKöln;50\r\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Place().Name(), "Zürich"_cp1252);
    EXPECT_EQ(records[1].Place().Name(), "Köln"_cp1252);

    // One byte that is no UTF-8, even far behind the first character beyond ASCII, means
    // Windows-1252 for the whole file.
    std::string text = "Name\r\nZürich\r\n";
    for (int i = 0; i < 50000; ++i)
        text += "Ort\r\n";
    records = ImportText(text + "M\xFCnchen\r\n");
    ASSERT_EQ(records.size(), 50002u);
    EXPECT_EQ(records[0].Place().Name(), "Z\xC3\xBCrich");
    EXPECT_EQ(records.back().Place().Name(), "München"_cp1252);
}

// Lines are read with a bound: a longer line is one error that quotes its beginning, and the
// lines after it are read as usual. A name may be as long as the edit field allows.
TEST_F(CsvConverterTest, OverlongLinesAndNames) {
    const std::string longest(TTextLines::MaxLength - 5, 'a');
    const auto records =
        ImportText("Name;Extra\r\n"
                   "Wien;" +
                   longest +
                   "\r\n"
                   "Graz;" +
                   longest +
                   "b\r\n"
                   "Linz;1\r\n" +
                   std::string(255, 'n') + "\r\n" + std::string(256, 'n') + "\r\n");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].Place().Name(), "Wien");
    EXPECT_EQ(records[1].Place().Name(), "Linz");
    EXPECT_EQ(records[2].Place().Name(), std::string(255, 'n'));
    EXPECT_EQ(Log.Entries, (Strings{"accepted",
                                    "error Zeile 3 ist länger als 65536 Zeichen: \"Graz;" +
                                        std::string(55, 'a') + "...\"",
                                    "accepted", "accepted",
                                    "error Station : Spalte Name: \"" + std::string(60, 'n') +
                                        "...\" ist länger als 255 Zeichen"}));

    Log.Entries.clear();
    EXPECT_TRUE(ImportText("Name;" + std::string(TTextLines::MaxLength, 'x') + "\nWien\n").empty());
    EXPECT_EQ(Log.Entries, Strings{"error Zeile 1 ist länger als 65536 Zeichen: \"Name;" +
                                   std::string(55, 'x') + "...\""});
}

TEST_F(CsvConverterTest, RecognisesItsExtensionOnly) {
    EXPECT_TRUE(Csv.CanImport("a.csv"));
    EXPECT_TRUE(Csv.CanImport("/x.y/A.CsV"));
    EXPECT_FALSE(Csv.CanImport("a.csv.bak"));
    EXPECT_FALSE(Csv.CanImport("csv"));
    EXPECT_FALSE(Csv.CanImport("dir.csv/file"));
}

} // namespace
