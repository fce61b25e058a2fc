#include "database/database_mgr.h"
#include "map/map_projection.h"
#include "map/zone_colours.h"
#include "model/climate_zone.h"
#include "model/windows1252.h"
#include "support/stations.h"
#include "support/temp_dir.h"

#include <QImage>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using namespace Windows1252::Literals;

struct TRun {
    int ExitCode;
    std::string Out;
    std::string Err;
};

std::string Quoted(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class PelvanorToolTest : public testing::Test {
protected:
    // The tool's run, after the shell commands given first (limits, say).
    TRun Run(const std::vector<std::string>& words, const std::string& before = "") {
        std::string command = before + Quoted(PELVANOR_TOOL);
        for (const std::string& word : words)
            command += ' ' + Quoted(word);
        command += " >" + Quoted(Dir.File("out")) + " 2>" + Quoted(Dir.File("err"));
        const int status = std::system(command.c_str());
        return {WEXITSTATUS(status), TTempDir::Read(Dir.File("out")),
                TTempDir::Read(Dir.File("err"))};
    }

    // A database of three stations, one of them with a name outside ASCII.
    std::string MakeDatabase() {
        const std::string file = Dir.File("stationen.dat");
        TDatabaseMgr database(file, false, true);
        const auto add = [&](const char* name, TDiagramData::TCoords coords, long altitude) {
            TDiagramData record;
            record.SetPlace(TDiagramData::TPlace(name));
            record.SetCoords(coords);
            record.SetAltitude(TDiagramData::TAltitude(altitude));
            database.Add(record, false);
        };
        add("Wien/Österreich"_cp1252, {48, 12, 16, 22, true, false}, 171);
        add("Köln/Deutschland"_cp1252, {50, 56, 6, 57, true, false}, 37);
        add("Lima/Peru", {12, 3, 77, 2, false, true}, 13);
        database.Save();
        return file;
    }

    TTempDir Dir;
};

TEST_F(PelvanorToolTest, HelpAndUsageErrors) {
    const TRun help = Run({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_NE(help.Out.find("Aufruf: pelvanor-tool BEFEHL"), std::string::npos);

    const TRun unknown = Run({"zeige"});
    EXPECT_EQ(unknown.ExitCode, 2);
    EXPECT_EQ(std::count(unknown.Err.begin(), unknown.Err.end(), '\n'), 1);
    EXPECT_EQ(Run({}).ExitCode, 2);
    EXPECT_EQ(Run({"list"}).ExitCode, 2);
    EXPECT_EQ(Run({"find", "a.dat", "x", "--genau"}).ExitCode, 2);
    EXPECT_EQ(Run({"merge", "a.dat", "b.csv", "--similar", "alle"}).ExitCode, 2);
}

TEST_F(PelvanorToolTest, ListInfoAndFindSpeakUtf8) {
    const std::string database = MakeDatabase();
    const TRun list = Run({"list", database});
    EXPECT_EQ(list.ExitCode, 0);
    EXPECT_EQ(list.Out, "Köln/Deutschland\t50°56'N/6°57'E, 37m\n"
                        "Lima/Peru\t12°3'S/77°2'W, 13m\n"
                        "Wien/Österreich\t48°12'N/16°22'E, 171m\n");

    const TRun info = Run({"info", database});
    EXPECT_EQ(info.Out, "Datenbanksignatur: Pelvanor Database\nDatenbankversion: 3\n"
                        "Anzahl der Datensätze: 3\n");

    EXPECT_EQ(Run({"find", database, "Ö"}).Out, "Köln/Deutschland\nWien/Österreich\n");
    EXPECT_EQ(Run({"find", database, "^l"}).Out, "Lima/Peru\n");
    EXPECT_EQ(Run({"find", database, "Lima/Peru", "--exact"}).Out, "Lima/Peru\n");
    // No hit is told by the exit code alone.
    const TRun none = Run({"find", database, "lima/peru", "--exact"});
    EXPECT_EQ(none.ExitCode, 1);
    EXPECT_EQ(none.Out + none.Err, "");
    EXPECT_EQ(Run({"find", database, "Łódź"}).ExitCode, 2);
}

TEST_F(PelvanorToolTest, MissingOrBrokenDatabases) {
    const TRun missing = Run({"list", Dir.File("fehlt.dat")});
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(Dir.File("fehlt.dat")));

    TTempDir::Write(Dir.File("kaputt.dat"), "kein Inhalt");
    const TRun broken = Run({"info", Dir.File("kaputt.dat")});
    EXPECT_EQ(broken.ExitCode, 1);
    EXPECT_EQ(broken.Err, "Datenbank-Manager: Ungültiger Datenbank-Header!\n");
}

TEST_F(PelvanorToolTest, ConvertWritesBothLogsToTheErrorOutput) {
    const std::string database = MakeDatabase();
    const TRun run = Run({"convert", database, Dir.File("stationen.CSV")});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Err, "Import gestartet.\n"
                       "Benutze Import-Filter \"Pelvanor-Datenbank\"\n"
                       "Import beendet.\nZusammenfassung:\n"
                       "3 Einträge insgesamt verarbeitet, davon:\n"
                       "  3 akzeptiert\n  0 nach Änderungen akzeptiert\n  0 nicht akzeptiert\n"
                       "Export gestartet.\n"
                       "Benutze Export-Filter \"CSV (durch Semikola getrennte Liste)\"\n"
                       "Export beendet.\nZusammenfassung:\n"
                       "3 Einträge insgesamt verarbeitet, davon:\n"
                       "  3 akzeptiert\n  0 nach Änderungen akzeptiert\n  0 nicht akzeptiert\n");
    EXPECT_TRUE(TTempDir::Read(Dir.File("stationen.CSV")).starts_with("Name;LatitudeDeg;"));

    const TRun named =
        Run({"convert", Dir.File("stationen.CSV"), Dir.File("liste.txt"), "--filter", "Tabelle"});
    EXPECT_EQ(named.ExitCode, 0);
    EXPECT_TRUE(TTempDir::Read(Dir.File("liste.txt")).starts_with("K\xF6ln/Deutschland\r\n"));

    EXPECT_EQ(Run({"convert", database, Dir.File("x.xyz")}).ExitCode, 2);
    const TRun unknown = Run({"convert", Dir.File("liste.txt"), Dir.File("x.csv")});
    EXPECT_EQ(unknown.ExitCode, 1);
    EXPECT_EQ(unknown.Err, "Kein Importfilter für Datenquelle verfügbar!\n");
}

// Each source that holds no stations says in its last line why; a pipe never blocks.
TEST_F(PelvanorToolTest, SourcesWithoutStationsSayWhy) {
    const std::string database = MakeDatabase();
    const std::string target = Dir.File("ziel.csv");
    const std::string missing = Dir.File("fehlt.csv");
    std::filesystem::create_directory(Dir.File("ordner.csv"));
    ASSERT_EQ(::mkfifo(Dir.File("rohr.csv").c_str(), 0600), 0);
    const auto fails = [&](const std::vector<std::string>& words, const std::string& error) {
        const TRun run = Run(words);
        EXPECT_EQ(run.ExitCode, 1) << words[1];
        EXPECT_EQ(run.Err, "pelvanor-tool: " + error + "\n") << words[1];
    };
    fails({"convert", missing, target}, "Datei \"" + missing + "\" nicht gefunden");
    fails({"merge", database, missing}, "Datei \"" + missing + "\" nicht gefunden");
    fails({"convert", Dir.File("ordner.csv"), target},
          "\"" + Dir.File("ordner.csv") + "\" ist keine Datei");
    fails({"merge", database, Dir.File("rohr.csv")},
          "\"" + Dir.File("rohr.csv") + "\" ist keine Datei");
    fails({"list", Dir.File("rohr.csv")}, "\"" + Dir.File("rohr.csv") + "\" ist keine Datei");
    EXPECT_FALSE(std::filesystem::exists(target));

    const std::string header = "Name;BreiteGrad;BreiteMin;LaengeGrad;LaengeMin;LaengeRichtung\r\n";
    TTempDir::Write(Dir.File("kopf.csv"), header);
    TTempDir::Write(Dir.File("cr.csv"), "Name;BreiteGrad\rQuito/Ecuador;0\rLima/Peru;12\r");
    const TRun empty = Run({"convert", Dir.File("kopf.csv"), target});
    EXPECT_EQ(empty.ExitCode, 1);
    EXPECT_TRUE(empty.Err.ends_with("0 nicht akzeptiert\npelvanor-tool: keine Station in \"" +
                                    Dir.File("kopf.csv") + "\" gefunden\n"))
        << empty.Err;
    const TRun cr = Run({"merge", database, Dir.File("cr.csv")});
    EXPECT_EQ(cr.ExitCode, 1);
    EXPECT_TRUE(cr.Err.ends_with("pelvanor-tool: keine Station in \"" + Dir.File("cr.csv") +
                                 "\" gefunden (die Zeilen enden nur mit CR statt mit CR LF "
                                 "oder LF)\n"))
        << cr.Err;
    EXPECT_EQ(TDatabaseMgr::ReadOnly(database)->Count(), 3);

    // A file whose records were all refused has said why already.
    TTempDir::Write(Dir.File("leer.csv"), header + ";48;12;16;22;E\r\n");
    const TRun refused = Run({"convert", Dir.File("leer.csv"), target});
    EXPECT_EQ(refused.ExitCode, 1);
    EXPECT_EQ(refused.Err.find("pelvanor-tool:"), std::string::npos) << refused.Err;
}

TEST_F(PelvanorToolTest, MergeCountsAndSaves) {
    const std::string database = MakeDatabase();
    TTempDir::Write(Dir.File("neu.csv"),
                    "Name;BreiteGrad;BreiteMin;LaengeGrad;LaengeMin;LaengeRichtung;Hoehe\r\n"
                    "Wien/\xD6sterreich;48;12;16;22;E;171\r\n"            // identical
                    "Wien/\xD6sterreich;48;12;16;22;E;172\r\n"            // same name, other values
                    "Wien-Hohe Warte/\xD6sterreich;48;14;16;21;E;198\r\n" // similar
                    "Quito/Ecuador;0;13;78;31;W;2850\r\n");               // new
    // Of the same-named pair, the list keeps one (the later); it meets the stored record.
    const TRun added = Run({"merge", database, Dir.File("neu.csv"), "--similar", "add"});
    EXPECT_EQ(added.ExitCode, 0);
    EXPECT_EQ(added.Out, "Diagramme identisch: 0\nDiagramme hinzugefügt: 2\n"
                         "Diagramme ersetzt: 0\nDiagramme ignoriert: 1\n");
    const auto merged = TDatabaseMgr::ReadOnly(database);
    EXPECT_EQ(merged->Count(), 5);

    const TRun again = Run({"merge", database, Dir.File("neu.csv")});
    EXPECT_EQ(again.Out, "Diagramme identisch: 2\nDiagramme hinzugefügt: 0\n"
                         "Diagramme ersetzt: 0\nDiagramme ignoriert: 1\n");
    const TRun replaced = Run({"merge", database, Dir.File("neu.csv"), "--similar=replace"});
    EXPECT_EQ(replaced.Out, "Diagramme identisch: 2\nDiagramme hinzugefügt: 0\n"
                            "Diagramme ersetzt: 1\nDiagramme ignoriert: 0\n");
    EXPECT_EQ(TDatabaseMgr::ReadOnly(database)->Count(), 5);
}

TEST_F(PelvanorToolTest, RenderWritesEveryFormat) {
    const std::string database = MakeDatabase();
    const auto render = [&](const std::string& file, std::vector<std::string> options = {}) {
        std::vector<std::string> words{"render", database, "Köln/Deutschland", Dir.File(file)};
        words.insert(words.end(), options.begin(), options.end());
        return Run(words);
    };
    EXPECT_EQ(render("k.png").ExitCode, 0);
    const std::string png = TTempDir::Read(Dir.File("k.png"));
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    // Width and height from the PNG header: 800 by 556, the picture fitted into 800 by 600.
    const auto word = [&png](std::size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) |
               (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) |
               static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_EQ(word(16), 800u);
    EXPECT_EQ(word(20), 556u);

    EXPECT_EQ(render("k.pdf", {"--compare", "Wien/Österreich", "--overlay"}).ExitCode, 0);
    EXPECT_TRUE(TTempDir::Read(Dir.File("k.pdf")).starts_with("%PDF"));
    EXPECT_EQ(render("k.svg", {"--color", "--table", "none"}).ExitCode, 0);
    EXPECT_NE(TTempDir::Read(Dir.File("k.svg")).find("<svg"), std::string::npos);
    EXPECT_EQ(render("k.EMF", {"--small", "--scale", "10"}).ExitCode, 0);
    EXPECT_EQ(TTempDir::Read(Dir.File("k.EMF")).substr(40, 4), " EMF");

    EXPECT_EQ(render("k.gif").ExitCode, 2);
    EXPECT_EQ(render("k.png", {"--overlay"}).ExitCode, 2);
    EXPECT_EQ(render("k.png", {"--table", "halb"}).ExitCode, 2);
    EXPECT_EQ(render("k.png", {"--width", "0"}).ExitCode, 2);
    const TRun narrow = render("n.png", {"--width", "1"});
    EXPECT_EQ(narrow.ExitCode, 1);
    EXPECT_EQ(narrow.Err, "pelvanor-tool: Bild von 1 x 600 Bildpunkten ist zu klein, um das "
                          "Diagramm zu zeichnen\n");
    const TRun unknown = Run({"render", database, "Nirgendwo", Dir.File("n.png")});
    EXPECT_EQ(unknown.ExitCode, 1);
    EXPECT_EQ(unknown.Err, "pelvanor-tool: Station \"Nirgendwo\" nicht gefunden\n");
    EXPECT_FALSE(std::filesystem::exists(Dir.File("n.png")));
}

QColor ColourOf(const char* code) {
    const TRgb rgb = ZoneColour(ClimateZoneNumber(code));
    return {rgb.Red, rgb.Green, rgb.Blue};
}

// The climate map for a worksheet: every station of the database on the world map or the map of
// Europe, in the colours of their zones with the legend below, as large as asked.
TEST_F(PelvanorToolTest, MapDrawsEveryStationAndWithZonesTheirColoursAndLegend) {
    const std::string database = Dir.File("zonen.dat");
    TDiagramData freiburg = FreiburgStation();
    freiburg.SetCoords({48, 0, 8, 0, true, false});
    TDiagramData sevilla = SevillaStation();
    sevilla.SetCoords({37, 0, 6, 0, true, true});
    {
        TDatabaseMgr stations(database, false, true);
        stations.Add(freiburg, false);
        stations.Add(sevilla, false);
        stations.Save();
    }
    const auto map = [&](const std::string& file, std::vector<std::string> options = {}) {
        std::vector<std::string> words{"map", database, Dir.File(file)};
        words.insert(words.end(), options.begin(), options.end());
        const TRun run = Run(words);
        EXPECT_EQ(run.ExitCode, 0) << run.Err;
        return QImage(QString::fromStdString(Dir.File(file)));
    };
    const auto at = [](const TMapProjection& projection, const TDiagramData& station, int scale) {
        const TPoint pixel = projection.ToPixel(GeoPointOf(station.Coords()));
        return QPoint(pixel.X, pixel.Y) * scale;
    };
    const TWorldProjection world;
    const TEuropeProjection europe;

    const QImage plain = map("welt.png");
    EXPECT_EQ(plain.size(), QSize(646, 400));
    EXPECT_EQ(plain.pixelColor(at(world, freiburg, 1)), QColor(255, 0, 0));

    const QImage zoned = map("zonen.png", {"--zonen"});
    EXPECT_EQ(zoned.width(), 646);
    EXPECT_GT(zoned.height(), 400 + 50); // the legend below the map
    EXPECT_EQ(zoned.pixelColor(at(world, freiburg, 1)), ColourOf("Cfb"));
    EXPECT_EQ(zoned.pixelColor(at(world, sevilla, 1)), ColourOf("Csa"));

    const QImage large = map("europa.png", {"--europa", "--zonen", "--width", "1280"});
    EXPECT_EQ(large.width(), 1280);
    EXPECT_EQ(large.pixelColor(at(europe, freiburg, 2)), ColourOf("Cfb"));
    EXPECT_EQ(large.pixelColor(at(europe, sevilla, 2)), ColourOf("Csa"));
    EXPECT_EQ(map("klein.png", {"--europa", "--width=320"}).size(), QSize(320, 210));

    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"map", database, Dir.File("karte.jpg")},
          {"map", database, Dir.File("k.png"), "--width", "0"},
          {"map", database, Dir.File("k.png"), "--width", "breit"},
          {"map", database, Dir.File("k.png"), "--width", "8001"},
          {"map", database, Dir.File("k.png"), "--koeppen"},
          {"map", database}}) {
        EXPECT_EQ(Run(wrong).ExitCode, 2) << wrong.back();
    }
    // No station, no zone: the map and a legend that says so.
    const std::string empty = Dir.File("leer.dat");
    TDatabaseMgr(empty, false, true).Save();
    EXPECT_EQ(Run({"map", empty, Dir.File("leer.png"), "--zonen", "--europa"}).ExitCode, 0);
    EXPECT_EQ(QImage(QString::fromStdString(Dir.File("leer.png"))).width(), 640);

    const TRun missing = Run({"map", Dir.File("fehlt.dat"), Dir.File("k.png")});
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(Dir.File("k.png")));
}

// The maps come from the resource library beside the tool, as the program's do.
TEST_F(PelvanorToolTest, MapWithoutTheResourceLibrarySaysSo) {
    const std::filesystem::path programs = std::filesystem::path(PELVANOR_TOOL).parent_path();
    for (const char* file : {"pelvanor-tool", "libkestrel.so.0"})
        std::filesystem::copy(programs / file, Dir.Path / file);
    const std::string command = "'" + Dir.File("pelvanor-tool") + "' map '" + MakeDatabase() +
                                "' '" + Dir.File("k.png") + "' 2>'" + Dir.File("err") + "'";
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 1);
    EXPECT_EQ(TTempDir::Read(Dir.File("err")), "pelvanor-tool: Ressourcen-Bibliothek \"" +
                                                   Dir.File("tvxres.dll") +
                                                   "\" kann nicht geladen werden\n");
}

// Every picture is complete before it takes the old file's place; a file the tool may not
// replace stays what it is, and the error says why.
TEST_F(PelvanorToolTest, RenderNeverLeavesAHalfWrittenPicture) {
    const std::string database = MakeDatabase();
    const std::string old(1000, 'x');
    // No file may grow beyond 8 KiB, and the tool is told so by the write, not killed.
    const std::string fullDisk = "trap '' XFSZ; ulimit -f 16; exec ";
    for (const char* extension : {".emf", ".pdf", ".svg", ".png"}) {
        const std::string file = Dir.File(std::string("alt") + extension);
        TTempDir::Write(file, old);
        const TRun run = Run({"render", database, "Lima/Peru", file}, fullDisk);
        EXPECT_EQ(run.ExitCode, 1) << extension;
        EXPECT_EQ(run.Err, "pelvanor-tool: Datei \"" + file +
                               "\" kann nicht geschrieben werden: File too large\n")
            << extension;
        EXPECT_EQ(TTempDir::Read(file), old) << extension;
    }

    const std::string pipe = Dir.File("rohr.pdf");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const TRun piped = Run({"render", database, "Lima/Peru", pipe});
    EXPECT_EQ(piped.ExitCode, 1);
    EXPECT_EQ(piped.Err, "pelvanor-tool: Datei \"" + pipe +
                             "\" kann nicht geschrieben werden: keine reguläre Datei\n");
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
}

// A file behind a name longer than the system takes exists, but cannot be reached by it.
TEST_F(PelvanorToolTest, ANameTooLongIsNoMissingFile) {
    const std::string database = MakeDatabase();
    const auto start = std::filesystem::current_path();
    std::filesystem::current_path(Dir.Path);
    std::string name = Dir.Path.string();
    for (int level = 0; level < 24; ++level) {
        const std::string folder(200, 'a' + level);
        std::filesystem::create_directory(folder);
        std::filesystem::current_path(folder);
        name += '/' + folder;
    }
    std::filesystem::copy_file(database, "stationen.dat");
    std::filesystem::current_path(start);
    name += "/stationen.dat";
    ASSERT_GT(name.size(), 4096u);

    const TRun run = Run({"list", name});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err, "pelvanor-tool: Datei \"" + name +
                           "\" kann nicht gelesen werden: File name too long\n");
}

// The build's starter database: made where there is none, never over a database in use.
TEST_F(PelvanorToolTest, StarterDatabaseNeverReplacesAnExistingOne) {
    const std::string database = Dir.File("pelvanor.dat");
    const std::string command = std::string("cmake -DTOOL='") + PELVANOR_TOOL + "' -DSTATIONS='" +
                                PELVANOR_STATIONS_CSV + "' -DDATABASE='" + database + "' -P '" +
                                PELVANOR_STARTER_SCRIPT + "' >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    // The starter stations and every complete station of the WMO normals beside them.
    EXPECT_EQ(TDatabaseMgr::ReadOnly(database)->Count(), 95 + 5247);
    EXPECT_EQ(Run({"find", database, "Berlin/Deutschland", "--exact"}).Out, "Berlin/Deutschland\n");
    EXPECT_EQ(Run({"find", database, "Berlin-Tempelhof/Deutschland", "--exact"}).ExitCode, 1);
    EXPECT_EQ(Run({"find", database, "Berlin-Tegel/Deutschland", "--exact"}).ExitCode, 0);

    TDatabaseMgr changed(database, false, false);
    changed.RemoveAt(0);
    changed.Save();
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(TDatabaseMgr::ReadOnly(database)->Count(), 95 + 5247 - 1);
}

TEST_F(PelvanorToolTest, WmoNormalsConvertAndMergeFromSeveralSheets) {
    const std::string normals =
        std::string(PELVANOR_WMO_NORMALS_DIR) + "/wmo_normals_9120_TAVG.csv";
    const TRun world = Run({"convert", normals, Dir.File("welt.dat")});
    EXPECT_EQ(world.ExitCode, 0);
    EXPECT_NE(world.Err.find("Benutze Import-Filter \"Amtliche Klimanormalwerte (WMO)\""),
              std::string::npos);
    EXPECT_NE(world.Err.find("6637 Einträge insgesamt verarbeitet"), std::string::npos);
    EXPECT_EQ(TDatabaseMgr::ReadOnly(Dir.File("welt.dat"))->Count(), 5341);

    // Several sheets into a database, one log; the starter stations' numbers left out.
    const std::string database = MakeDatabase();
    const std::string sheets = std::string(PELVANOR_TEST_DATA_DIR) + "/wmo/sheets/";
    const TRun merged = Run({"merge", database, sheets + "Germany/Aachen_10501.csv",
                             sheets + "Guinea/CONAKRY_61832.csv", sheets + "Japan/Tokyo_47662.csv",
                             "--skip-wmo", "47662,4711"});
    EXPECT_EQ(merged.ExitCode, 0) << merged.Err;
    EXPECT_EQ(merged.Out, "Diagramme identisch: 0\nDiagramme hinzugefügt: 2\n"
                          "Diagramme ersetzt: 0\nDiagramme ignoriert: 0\n");
    EXPECT_NE(merged.Err.find("Station Tokyo/Japan (WMO 47662) ausgelassen"), std::string::npos)
        << merged.Err;
    EXPECT_EQ(TDatabaseMgr::ReadOnly(database)->Count(), 5);

    const TRun mixed = Run({"merge", database, sheets + "Germany/Emden_10200.csv",
                            PELVANOR_STATIONS_CSV, "--skip-wmo", "10200"});
    EXPECT_EQ(mixed.ExitCode, 2);
    EXPECT_EQ(
        Run({"merge", database, sheets + "Germany/Emden_10200.csv", "--skip-wmo", "x"}).ExitCode,
        2);
    const TRun both =
        Run({"merge", database, sheets + "Germany/Emden_10200.csv", PELVANOR_STATIONS_CSV});
    EXPECT_EQ(both.ExitCode, 0);
    EXPECT_NE(both.Err.find("Benutze Import-Filter \"CSV (durch Semikola getrennte Liste)\""),
              std::string::npos);
    EXPECT_NE(both.Err.find("96 Einträge insgesamt verarbeitet"), std::string::npos) << both.Err;
}

} // namespace

namespace {

// The pictures of tests/data/golden were drawn before the climate zone existed (the overlay
// again since its curves keep to the upper plot); with the zone off they stay the same to the
// byte, and with it on the station's zone is added. To make them again on purpose:
// pelvanor-tool render pelvanor.dat NAME FILE OPTIONS, as listed here.
class GoldenPictureTest : public PelvanorToolTest {
protected:
    std::string StarterDatabase() {
        const std::string file = Dir.File("pelvanor.dat");
        Run({"convert", PELVANOR_STATIONS_CSV, file});
        return file;
    }
    // words: the station's name, then the options.
    std::string Render(const std::string& database, const std::vector<std::string>& words) {
        const std::string file = Dir.File("bild.emf");
        std::vector<std::string> command{"render", database, words.front(), file};
        command.insert(command.end(), words.begin() + 1, words.end());
        EXPECT_EQ(Run(command).ExitCode, 0);
        return TTempDir::Read(file);
    }
};

TEST_F(GoldenPictureTest, WithoutTheClimateZoneEveryPictureStaysAsItWas) {
    const std::string database = StarterDatabase();
    const std::vector<std::pair<std::string, std::vector<std::string>>> pictures = {
        {"berlin.emf", {"Berlin/Deutschland"}},
        {"hamburg-small-color.emf", {"Hamburg/Deutschland", "--small", "--color"}},
        {"berlin-vs-hamburg-overlay.emf",
         {"Berlin/Deutschland", "--compare", "Hamburg/Deutschland", "--overlay"}},
        {"wellington-monthly.emf", {"Wellington/Neuseeland", "--table", "monthly", "--ratio12"}}};
    for (const auto& [golden, words] : pictures) {
        const std::string expected = TTempDir::Read(PELVANOR_GOLDEN_DIR "/" + golden);
        ASSERT_FALSE(expected.empty()) << golden;
        EXPECT_EQ(Render(database, words), expected) << golden;
        std::vector<std::string> withZone = words;
        withZone.push_back("--koeppen");
        EXPECT_NE(Render(database, withZone), expected) << golden;
    }
    // Without a table there is nowhere for the zone to stand.
    EXPECT_EQ(Render(database, {"Berlin/Deutschland", "--table", "none", "--koeppen"}),
              Render(database, {"Berlin/Deutschland", "--table", "none"}));
}

TEST_F(GoldenPictureTest, TheListNamesEveryStationsZone) {
    const TRun list = Run({"list", StarterDatabase(), "--koeppen"});
    EXPECT_EQ(list.ExitCode, 0);
    EXPECT_NE(list.Out.find("Berlin/Deutschland\t52°28'N/13°24'E, 48m\tCfb\n"), std::string::npos);
    EXPECT_NE(list.Out.find("Kairo/Ägypten\t30°8'N/31°24'E, 64m\tBWh\n"), std::string::npos);
}

} // namespace
