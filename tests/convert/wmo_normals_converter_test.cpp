#include "convert/converter_manager.h"
#include "convert/wmo_normals_converter.h"
#include "support/printers.h"
#include "support/recording_log.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

// Real sheets as published, a few of every country, chosen so that each irregularity of the
// normals appears at least once (see tests/data/wmo/README.md).
std::string Sheet(const std::string& name) {
    return std::string(PELVANOR_TEST_DATA_DIR) + "/wmo/sheets/" + name + ".csv";
}

std::string Composite(const std::string& parameter) {
    return std::string(PELVANOR_WMO_NORMALS_DIR) + "/wmo_normals_9120_" + parameter + ".csv";
}

Strings AllSheets() {
    Strings sheets;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(
             std::string(PELVANOR_TEST_DATA_DIR) + "/wmo/sheets"))
        if (entry.is_regular_file())
            sheets.push_back(entry.path().string());
    std::sort(sheets.begin(), sheets.end());
    return sheets;
}

// The name, position and two of the values of a record, as the user sees them.
std::string Summary(const TDiagramData& record) {
    return Windows1252::ToUtf8(record.Place().Name() + " " + record.PositionText() + " T " +
                               record.Temperatures().MonthText(0) + " P " +
                               record.Precipitation().MonthText(0));
}

class WmoNormalsTest : public testing::Test {
protected:
    std::vector<TDiagramData> Import(const Strings& files) {
        Log.Entries.clear();
        return Normals.ImportFiles(files, Log);
    }
    // The one station of a sheet written here.
    std::vector<TDiagramData> ImportText(const std::string& bytes) {
        const std::string file = Dir.File("blatt.csv");
        TTempDir::Write(file, bytes);
        return Import({file});
    }
    int Count(std::string_view kind) const {
        return static_cast<int>(
            std::count_if(Log.Entries.begin(), Log.Entries.end(),
                          [kind](const std::string& entry) { return entry.starts_with(kind); }));
    }

    const WmoNormalsConverter& Normals = dynamic_cast<const WmoNormalsConverter&>(
        *ConverterManager::Instance().Find("Amtliche Klimanormalwerte (WMO)"));
    TRecordingLog Log;
    TTempDir Dir;
    const std::string Aachen = TTempDir::Read(Sheet("Germany/Aachen_10501"));
};

TEST_F(WmoNormalsTest, ClaimsFilesOfTheNormalsByTheirContentAndNoOtherCsvFile) {
    const ConverterManager& manager = ConverterManager::Instance();
    for (const std::string& sheet : AllSheets())
        EXPECT_EQ(manager.FindImportConverter(sheet), &Normals) << sheet;
    for (const char* parameter : {"PRCP", "TAVG", "TMAX", "TMIN"})
        EXPECT_EQ(manager.FindImportConverter(Composite(parameter)), &Normals) << parameter;

    const auto claimed = [&](const std::string& name, const std::string& bytes) {
        TTempDir::Write(Dir.File(name), bytes);
        return Normals.CanImport(Dir.File(name));
    };
    // A sheet is a sheet under any name, with or without byte-order mark; one cut off after its
    // title is still claimed, so that the log can say what it lacks.
    EXPECT_TRUE(claimed("aachen.txt", Aachen));
    EXPECT_TRUE(claimed("mit-bom.csv", "\xEF\xBB\xBF" + Aachen));
    EXPECT_TRUE(claimed("titel.csv", Aachen.substr(0, 70)));
    // The CSV filter's files never: the starter stations, an export, a header holding a title.
    EXPECT_FALSE(Normals.CanImport(PELVANOR_STATIONS_CSV));
    EXPECT_FALSE(claimed("export.csv", "Name;LatitudeDeg\r\nWien;48\r\n"));
    EXPECT_FALSE(claimed("gemischt.csv", "Name;Climate Normals\r\nWien;x\r\n"));
    EXPECT_FALSE(claimed("spaeter.csv", "Liste\n" + Aachen));
    EXPECT_FALSE(claimed("leer.csv", ""));
    EXPECT_FALSE(Normals.CanImport(Dir.File("fehlt.csv")));
    EXPECT_FALSE(Normals.CanImport(Dir.Path.string()));
}

TEST_F(WmoNormalsTest, EachLayoutOfTheSheetsGivesItsStation) {
    // Sheet, then the station as the program shows it: the readable name, the position rounded
    // to minutes, the altitude to metres, January's temperature and precipitation.
    const std::pair<const char*, const char*> sheets[] = {
        {"Germany/Aachen_10501", "Aachen/Deutschland 50°47'N/6°6'E, 202m T 3,2 P 64,3"},
        // Windows-1252, a height with decimals.
        {"Germany/Angermuende_10291", "Angermünde/Deutschland 53°2'N/13°59'E, 54m T 0,4 P 38,0"},
        // A name cut by a comma without quotes; values written ".1", "-.9".
        {"Germany/Toelz-Bad_10971", "Tölz, Bad/Deutschland 47°45'N/11°35'E, 724m T -0,9 P 65,1"},
        // A "/" in the station's name; a height of "-.3".
        {"Germany/KoelnBonn_10513", "Köln-Bonn/Deutschland 50°52'N/7°9'E, 91m T 3,0 P 61,7"},
        {"Germany/Emden_10200", "Emden/Deutschland 53°23'N/7°14'E, 0m T 2,9 P 69,9"},
        // CR LF, a no-break space, trailing commas.
        {"Austria/Sonnblick_11343", "Sonnblick/Österreich 47°3'N/12°57'E, 3109m T -11,3 P 149,5"},
        // The hemisphere without "|", an empty line before the values, "sum" in small letters.
        {"France/ABBEVILLE_07005", "Abbeville/Frankreich 50°8'N/1°50'E, 69m T 4,6 P 64,1"},
        {"France/PLOUMANACH_07117", "Ploumanac'h/Frankreich 48°50'N/3°28'W, 55m T 7,8 P 88,5"},
        // "STATION NAME", positions "30 08" without hemisphere, no year in the header.
        {"Egypt/CairoAP_62366", "Cairo (A.P.)/Ägypten 30°8'N/31°24'E, 64m T 14,4 P 4,8"},
        // Quoted fields.
        {"Thailand/NakhonsiThammarat_48552",
         "Nakhonsi Thammarat/Thailand 8°32'N/99°57'E, 4m T 26,1 P 262,3"},
        // UTF-8, values padded with blanks.
        {"Mongolia/Altai_44277", "Altai/Mongolei 46°23'N/96°14'E, 2180m T -18,0 P 1,6"},
        {"Japan/Tokyo_47662", "Tokyo/Japan 35°42'N/139°45'E, 25m T 5,4 P 59,7"},
        {"Brazil/MANAUS_82331", "Manaus/Brasilien 3°6'S/60°1'W, 61m T 26,6 P 305,6"},
        // Sixty seconds.
        {"Switzerland/BadRagaz_06686", "Bad Ragaz/Schweiz 47°1'N/9°30'E, 496m T 1,1 P 70,6"},
        {"Switzerland/BaselBinningen_06601",
         "Basel-Binningen/Schweiz 47°32'N/7°35'E, 316m T 2,2 P 47,8"},
        {"Switzerland/ChateaudOex_06627",
         "Chateau-D'Oex/Schweiz 46°29'N/7°8'E, 1028m T -1,9 P 95,0"},
        // UTF-8 with CR LF, the country "GUINEE CONAKRY".
        {"Guinea/CONAKRY_61832", "Conakry/Guinea 9°34'N/13°37'W, 26m T 26,9 P 2,5"},
    };
    for (const auto& [sheet, expected] : sheets) {
        const auto records = Import({Sheet(sheet)});
        ASSERT_EQ(records.size(), 1u) << sheet;
        EXPECT_EQ(Summary(records[0]), expected);
        EXPECT_EQ(Log.Entries, Strings{"accepted"}) << sheet;
    }
}

TEST_F(WmoNormalsTest, MeansOfMaximumAndMinimumStandInForAMissingMean) {
    // Cordeiro's mean lacks January: every month is taken from the extremes, with a warning.
    const auto cordeiro = Import({Sheet("Brazil/CORDEIRO_83718")});
    ASSERT_EQ(cordeiro.size(), 1u);
    EXPECT_EQ(Summary(cordeiro[0]), "Cordeiro/Brasilien 22°1'S/42°22'W, 506m T 24,7 P 255,9");
    EXPECT_EQ(cordeiro[0].Temperatures().MonthText(1), "25,1"); // (30.5 + 19.6) / 2 = 25.05
    EXPECT_EQ(Log.Entries, Strings{"warning Station Cordeiro/Brasilien: Temperatur aus Maximum "
                                   "und Minimum gemittelt"});
}

TEST_F(WmoNormalsTest, SheetsWithoutAStationAreOneErrorLineEach) {
    const std::pair<const char*, const char*> sheets[] = {
        {"Germany/Berlin-Alexanderplatz_10389",
         "Berlin-Alexanderplatz/Deutschland: Niederschlag fehlt; Temperatur fehlt"},
        {"Austria/Salzburg_Flughafen_11150", "Salzburg Flughafen/Österreich: Niederschlag fehlt"},
        {"Brazil/ARCOVERDE_82890",
         "Arcoverde/Brasilien: Niederschlag für Januar fehlt; Temperatur für Januar fehlt"},
        {"France/L_ILE_D_YEU_07300", "L Ile D Yeu/Frankreich: Temperatur fehlt"},
        {"Japan/Syowa_89532", "Syowa/Japan: Niederschlag fehlt"},
        // Heights left blank and as a no-break space.
        {"Egypt/SharmElSheikhAP_62460", "Sharm El-Sheikh(A.P)/Ägypten: Höhe fehlt"},
        {"Guinea/KOUNDARA_61802", "Koundara/Guinea: Höhe fehlt"},
    };
    for (const auto& [sheet, expected] : sheets) {
        EXPECT_TRUE(Import({Sheet(sheet)}).empty()) << sheet;
        EXPECT_EQ(Log.Entries, Strings{"error Station " + std::string(expected)});
    }
}

TEST_F(WmoNormalsTest, BadValuesAreAnErrorLineForTheirStation) {
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string bytes = Aachen;
        const std::size_t at = bytes.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return bytes.replace(at, from.size(), to);
    };
    const std::pair<std::string, std::string> cases[] = {
        {replaced("Sum,4,64.3,", "Sum,4,6a.3,"),
         "Niederschlag für Januar: \"6a.3\" ist keine Zahl"},
        // Thirteen months and the year: the values are not where the header says.
        {replaced("Sum,4,64.3,", "Sum,4,1.0,64.3,"),
         "Niederschlag: mehr als zwölf Monatswerte und der Jahreswert"},
        {replaced("Sum,4,64.3,", "Sum,4,,"), "Niederschlag für Januar fehlt"},
        {replaced("50|46|58|N", "95|00|00|N"), "Datenbank: Koordinate für Geografische Breite "
                                               "(Grad) außerhalb des gültigen Bereichs: 95"},
        {replaced("50|46|58|N", "50|60|00|N"), "Breite \"50|60|00|N\" unlesbar"},
        {replaced("50|46|58|N", "50|46|58|E"), "Breite \"50|46|58|E\" unlesbar"},
        {replaced(",202\n", ",hoch\n"), "Höhe \"hoch\" ist keine Zahl"},
        {replaced(",202\n", ",-900\n"), "Höhe -900 m unmöglich"},
        {replaced("5,Mean,1,3.2,", "5,Mean,1,99.0,"),
         "Datenbank: Temperatur für Monat Januar außerhalb des gültigen Bereichs: 99.0"},
        {replaced("1,Sum,4,64.3,", "1,Sum,4,-64.3,"),
         "Datenbank: Niederschlag für Monat Januar außerhalb des gültigen Bereichs: -64.3"},
    };
    for (const auto& [bytes, problem] : cases) {
        EXPECT_TRUE(ImportText(bytes).empty()) << problem;
        EXPECT_EQ(Log.Entries, Strings{"error Station Aachen/Deutschland: " + problem});
    }
    EXPECT_TRUE(ImportText(replaced("Station_name,Aachen", "Station_name,")).empty());
    EXPECT_EQ(Log.Entries, Strings{"error Datei blatt.csv: Stationsname fehlt"});
}

TEST_F(WmoNormalsTest, CountryLabelsWithAndWithoutTheirValue) {
    const auto withCountryLine = [&](const std::string& line) {
        std::string bytes = Aachen;
        return bytes.replace(bytes.find("Country_Name,Germany"), 20, line);
    };
    const std::pair<const char*, const char*> cases[] = {
        {"Country_Name GERMANY", "Aachen/Deutschland"},
        {"Country_Name AUSTRIA,Germany", "Aachen/Deutschland"},
        {"CountryName", "Aachen"},
        {"Country_Name,", "Aachen"}};
    for (const auto& [line, name] : cases) {
        const auto records = ImportText(withCountryLine(line));
        ASSERT_EQ(records.size(), 1u) << line;
        EXPECT_EQ(Windows1252::ToUtf8(records[0].Place().Name()), name);
    }
}

TEST_F(WmoNormalsTest, ACutOffSheetNeverGivesAWrongStation) {
    const TDiagramData whole = ImportText(Aachen).at(0);
    for (std::size_t length = 0; length < Aachen.size(); length += 7) {
        const auto records = ImportText(Aachen.substr(0, length));
        ASSERT_EQ(Log.Entries.size(), 1u) << length;
        if (records.empty())
            continue;
        // Cut off before its means, the sheet still has maxima and minima, and says so.
        const bool fromExtremes = Log.Entries[0].ends_with("aus Maximum und Minimum gemittelt");
        EXPECT_TRUE(fromExtremes || Log.Entries[0] == "accepted") << Log.Entries[0];
        TDiagramData expected = whole;
        if (fromExtremes)
            expected.SetTemperatures(records[0].Temperatures());
        EXPECT_TRUE(records[0].IsIdentical(expected)) << length << ": " << Summary(records[0]);
    }
}

TEST_F(WmoNormalsTest, EncodingQuotesPaddingAndLineEndsChangeNothing) {
    const TDiagramData whole = ImportText(Aachen).at(0);
    std::string crlf;
    for (const char c : Aachen)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::string quoted = Aachen;
    for (std::size_t at; (at = quoted.find("10501,1,Sum,4,64.3,63.4")) != std::string::npos;)
        quoted.replace(at, 23,
                       "\"\", \"1\" , \"Sum\" ,4,  64.3 ,\xA0"
                       "63.4");
    const std::string versions[] = {"\xEF\xBB\xBF" + Aachen, crlf, quoted,
                                    "\xEF\xBB\xBF" + crlf + ",,,\r\n"};
    for (const std::string& version : versions) {
        const auto records = ImportText(version);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_TRUE(records[0].IsIdentical(whole)) << Summary(records[0]);
    }
}

TEST_F(WmoNormalsTest, SeveralSheetsAreOneRunWithDistinctNames) {
    TTempDir::Write(Dir.File("zweites_aachen.csv"), Aachen);
    const auto records = Import({Sheet("Germany/Aachen_10501"), Dir.File("zweites_aachen.csv")});
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(Windows1252::ToUtf8(records[1].Place().Name()), "Aachen (10501)/Deutschland");
    EXPECT_EQ(Log.Entries,
              (Strings{"accepted", "warning Station Aachen (10501)/Deutschland: "
                                   "umbenannt, denn Aachen/Deutschland gibt es schon"}));

    // Every sheet kept for the tests: each is one entry of the log.
    EXPECT_EQ(Import(AllSheets()).size(), 33u);
    EXPECT_EQ(Count("accepted"), 28);
    EXPECT_EQ(Count("warning"), 5);
    EXPECT_EQ(Count("error"), 9);
}

TEST_F(WmoNormalsTest, ACompositeFileReadsItsWholeSetJoinedByStation) {
    const auto records = Import({Composite("PRCP")});
    // Every station of the four files is one entry.
    EXPECT_EQ(Log.Entries.size(), 6637u);
    EXPECT_EQ(Count("accepted"), 4723);
    EXPECT_EQ(Count("warning"), 618);
    EXPECT_EQ(Count("error"), 1296);
    ASSERT_EQ(records.size(), 5341u);
    // Either file of the set reads the same, and the set is read once however often chosen.
    EXPECT_EQ(Import({Composite("TAVG"), Composite("PRCP"), Composite("TMIN")}).size(), 5341u);

    const auto named = [&records](const std::string& name) {
        const auto found = std::find_if(records.begin(), records.end(), [&](const auto& record) {
            return Windows1252::ToUtf8(record.Place().Name()) == name;
        });
        return found == records.end() ? std::string("(keine)") : Summary(*found);
    };
    EXPECT_EQ(named("Aachen/Deutschland"), "Aachen/Deutschland 50°47'N/6°6'E, 202m T 3,2 P 64,3");
    EXPECT_EQ(named("Adrar/Algerien"), "Adrar/Algerien 27°50'N/0°12'W, 279m T 13,1 P 2,1");
    // Chirinos shares its number with a station in Greenland, but not its temperatures: they
    // are its own, from its maxima and minima.
    EXPECT_EQ(named("Chirinos/Peru"), "Chirinos/Peru 5°19'S/78°54'W, 1772m T 18,8 P 123,3");
    EXPECT_EQ(named("KapMorrisJesup/Grönland"), "(keine)");
    // Two stations of the same name: the later one carries its number.
    EXPECT_NE(named("Ji An (57799)/China"), "(keine)");
    const std::string errors[] = {
        "error Station ?Ejen/Turkmenistan: Text mit Zeichen außerhalb von Windows-1252",
        "error Station Batna/Algerien: Temperatur für März fehlt",
        "error Station Basra/Irak: Höhe -9999.0 m unmöglich",
        "warning Station Ji An (57799)/China: umbenannt, denn Ji An/China gibt es schon"};
    for (const std::string& error : errors)
        EXPECT_NE(std::find(Log.Entries.begin(), Log.Entries.end(), error), Log.Entries.end())
            << error;
}

TEST_F(WmoNormalsTest, CompositeIrregularitiesInASetOfItsOwn) {
    const std::string header = "Elem,Rgn,ID,WIGOS_ID,Latitude,Longitude,Elevation,Country,"
                               "Station,Jan,Feb,Mar,Apr,May,Jun,Jul,Aug,Sep,Oct,Nov,Dec,Annual\n";
    // A row of twelve equal months; the station stands after its number.
    const auto row = [](const std::string& element, const std::string& station,
                        const std::string& value) {
        std::string line = element + ",6," + station;
        for (int month = 0; month < 12; ++month)
            line += "," + value;
        return line + ",0\n";
    };
    // Without a number, with the same name in two places.
    const std::string first = "00010001,,  50.500,7.250,100.0,Germany,ERSTE";
    const std::string second = "99999999,,50.5,7.25,100.0,Germany,ZWEITE";
    const std::string secondElsewhere = "99999999,,51.5,7.25,100.0,Germany,ZWEITE";
    const std::string lost = "00010004,,-98.600,-986.600,-876.5,Rwanda,Lama";
    const std::string nowhere = "00010005,,10.0,-10.0,5.0,Atlantis,Nord";
    TTempDir::Write(Dir.File("x_PRCP.csv"),
                    header + row("001", first, "50.0") + row("001", second, "50.0") +
                        row("001", secondElsewhere, "60.0") + row("001", lost, "1.0") +
                        row("001", nowhere, "1.0"));
    TTempDir::Write(Dir.File("x_TAVG.csv"),
                    header + row("005", first, "-99.9") + row("005", second, "10.0") +
                        row("005", secondElsewhere, "11.0") + row("005", lost, "20.0") +
                        row("005", nowhere, "20.0"));
    TTempDir::Write(Dir.File("x_TMAX.csv"), header + row("003", first, "12.05"));
    TTempDir::Write(Dir.File("x_TMIN.csv"), header + row("004", first, "2.0"));

    const auto records = Import({Dir.File("x_TMAX.csv")});
    Strings summaries;
    for (const TDiagramData& record : records)
        summaries.push_back(Summary(record));
    EXPECT_EQ(summaries, (Strings{"Erste/Deutschland 50°30'N/7°15'E, 100m T 7,0 P 50,0",
                                  "Zweite/Deutschland 50°30'N/7°15'E, 100m T 10,0 P 50,0",
                                  "Zweite (2)/Deutschland 51°30'N/7°15'E, 100m T 11,0 P 60,0",
                                  "Nord/Atlantis 10°N/10°W, 5m T 20,0 P 1,0"}));
    EXPECT_EQ(Log.Entries,
              (Strings{"warning Station Erste/Deutschland: Temperatur aus Maximum und Minimum "
                       "gemittelt",
                       "accepted",
                       "warning Station Zweite (2)/Deutschland: umbenannt, denn "
                       "Zweite/Deutschland gibt es schon",
                       "error Station Lama/Ruanda: Höhe -876.5 m unmöglich", "accepted"}));
}

TEST_F(WmoNormalsTest, AMissingFileOfTheSetLeavesItsValuesOut) {
    std::filesystem::copy(Composite("PRCP"), Dir.File("wmo_normals_9120_PRCP.csv"));
    std::filesystem::copy(Composite("TAVG"), Dir.File("wmo_normals_9120_TAVG.csv"));
    EXPECT_EQ(Import({Dir.File("wmo_normals_9120_PRCP.csv")}).size(), 4729u);
    EXPECT_EQ(Log.Entries.at(0), "message Datei wmo_normals_9120_TMAX.csv fehlt");
    EXPECT_EQ(Log.Entries.at(1), "message Datei wmo_normals_9120_TMIN.csv fehlt");
}

// Import, export through the CSV filter, import again: the same stations.
TEST_F(WmoNormalsTest, StationsComeBackUnchangedThroughTheCsvFilter) {
    const Converter& csv =
        *ConverterManager::Instance().Find("CSV (durch Semikola getrennte Liste)");
    for (const Strings& files : {AllSheets(), Strings{Composite("PRCP")}}) {
        const auto records = Import(files);
        const std::string file = Dir.File("rund.csv");
        csv.Export(file, Log, records);
        TRecordingLog again;
        const auto back = csv.Import(file, again);
        ASSERT_EQ(back.size(), records.size());
        EXPECT_EQ(std::count(again.Entries.begin(), again.Entries.end(), "accepted"),
                  static_cast<long>(records.size()));
        for (std::size_t i = 0; i < records.size(); ++i)
            EXPECT_TRUE(back[i].IsIdentical(records[i])) << Summary(records[i]);
    }
}

} // namespace
