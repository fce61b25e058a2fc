// Import and export through the frame's windows, with a real file of every filter.

#include "app/commands.h"
#include "frame_fixture.h"
#include "model/windows1252.h"
#include "support/old_records.h"
#include "support/printers.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

namespace {

using Strings = std::vector<std::string>;
using TAnswer = TUserInterface::TAnswer;

class FilterFlowTest : public FrameTest {
protected:
    FilterFlowTest() {
        AddStation(Names[0], -13, 52);
        TDiagramData& berlin = *Station(Names[0]);
        berlin.SetAltitude(TDiagramData::TAltitude(34));
        TDiagramData::TMonthValues precipitation{};
        for (int month = 0; month < 12; ++month)
            precipitation[month] = Math::Tenths::FromUnits(400 + 11 * month);
        berlin.SetPrecipitation(TDiagramData::TPrecipitationData(precipitation));
        AddStation(Names[1], -7, 47);
        AddStation(Names[2], -31, 30);
    }

    // A step that reads the finished log and closes it.
    std::function<int(QDialog&)> ReadLog() {
        return [this](QDialog& dialog) {
            Log = dialog.findChild<QPlainTextEdit*>(QStringLiteral("4901"))->toPlainText();
            return static_cast<int>(QDialog::Accepted);
        };
    }
    std::vector<TDiagramData> Records() const {
        std::vector<TDiagramData> records;
        for (int index = 0; index < Database.Count(); ++index)
            records.push_back(Database.RecordAt(index));
        return records;
    }
    void ExpectSameStations(const std::vector<TDiagramData>& expected) const {
        const std::vector<TDiagramData> records = Records();
        ASSERT_EQ(records.size(), expected.size());
        for (std::size_t i = 0; i < records.size(); ++i)
            EXPECT_TRUE(records[i].IsIdentical(expected[i])) << testing::PrintToString(records[i]);
    }
    void Import(const std::string& file) {
        Ui.Shown.clear();
        Ui.FileNames = {QString::fromStdString(file)};
        Ui.Answers = {TAnswer::Yes};
        Ui.Steps = {ReadLog()};
        Run(CmImport);
    }

    const Strings Names{"Berlin/Deutschland", "Bern/Schweiz", "Kairo/Aegypten"};
    QString Log;
};

TEST_F(FilterFlowTest, EveryExportFilterWritesAFileThatComesBackUnchanged) {
    const std::vector<TDiagramData> original = Records();
    const struct {
        const char* Description;
        const char* Extension;
    } filters[] = {{"CSV (durch Semikola getrennte Liste)", ".csv"},
                   {"Pelvanor-Datenbank", ".dat"},
                   {"Tabelle", ".tab"}};
    for (int row = 0; row < 3; ++row) {
        const auto& [description, extension] = filters[row];
        SCOPED_TRACE(description);
        const std::string file = Dir.File(std::string("Auswahl") + extension);
        Ui.Shown.clear();
        Ui.Steps = {ChooseLines({0, 1, 2}), PickFilter(row), ReadLog()};
        Ui.FileNames = {QString::fromStdString(file)};
        Run(CmExport);
        EXPECT_EQ(Ui.Shown, (Strings{"Dialog: Ortauswahl", "Dialog: Auswahlliste",
                                     "Speichern: Diagramm exportieren...", "Dialog: Meldungen",
                                     "Info: Export erfolgreich!"}));
        const auto& request = Ui.FileRequests.back();
        EXPECT_EQ(request.ProposedName, QString("Pelvanor") + extension);
        EXPECT_EQ(request.NameFilters,
                  QStringList(QString("%1 (*%2)").arg(description, extension)));
        EXPECT_TRUE(Log.contains(QString("Benutze Export-Filter \"%1\"").arg(description)))
            << Log.toStdString();

        // Emptied, the database takes every station back from the file, without a question.
        while (Database.Count() > 0)
            Database.RemoveAt(0);
        Import(file);
        EXPECT_EQ(Ui.Shown.back(), "Info: Import erfolgreich!");
        ExpectSameStations(original);
    }
}

TEST_F(FilterFlowTest, BothOldDatabaseLayoutsAreImported) {
    TOldRecord wien;
    TOldRecord graz = wien;
    graz.Name = "Graz";
    graz.Latitude = "47N";
    TTempDir::Write(Dir.File("PELVANOR.DAT"), wien.Bytes(false) + graz.Bytes(false));
    TTempDir::Write(Dir.File("tvx.dat"), wien.Bytes(true));

    Import(Dir.File("PELVANOR.DAT"));
    EXPECT_TRUE(Log.contains("Benutze Import-Filter \"alte Pelvanor-Datenbank (V1)\""));
    EXPECT_EQ(Ui.Shown.back(), "Info: Import erfolgreich!");
    EXPECT_EQ(Database.Count(), 5);
    EXPECT_EQ(Station("Graz")->Coords().Text(), Windows1252::FromUtf8("47°N/16°E").value());

    // The second layout's Wien has minutes, so the merge asks; "Ersetzen" takes it.
    Ui.Shown.clear();
    Ui.FileNames = {QString::fromStdString(Dir.File("tvx.dat"))};
    Ui.Answers = {TAnswer::Yes};
    Ui.Steps = {ReadLog(), [](QDialog& dialog) {
                    dialog.findChild<QPushButton*>(QStringLiteral("4505"))->click();
                    return dialog.result();
                }};
    Run(CmImport);
    EXPECT_TRUE(Log.contains("Benutze Import-Filter \"alte Pelvanor-Datenbank (V2)\""));
    EXPECT_EQ(Ui.Shown.back(), "Info: Import erfolgreich!");
    EXPECT_EQ(Database.Count(), 5);
    EXPECT_EQ(Station("Wien")->Coords().Text(), Windows1252::FromUtf8("48°12'N/16°22'E").value());
}

TEST_F(FilterFlowTest, TheSheetsOfACountryAreImportedAtOnce) {
    QStringList files;
    const std::filesystem::path guinea = std::string(PELVANOR_TEST_DATA_DIR) + "/wmo/sheets/Guinea";
    for (const auto& entry : std::filesystem::directory_iterator(guinea))
        files.append(QString::fromStdString(entry.path().string()));
    TTempDir::Write(Dir.File("notiz.txt"), "Einkaufsliste");
    files.append(QString::fromStdString(Dir.File("notiz.txt")));
    Ui.FileNames = {files.join(QLatin1Char('\n'))};
    Ui.Answers = {TAnswer::Yes};
    Ui.Steps = {ReadLog()};
    Run(CmImport);

    EXPECT_EQ(Ui.Shown.front(), "Öffnen: Diagramm importieren...");
    EXPECT_EQ(Ui.Shown.back(), "Info: Import erfolgreich!");
    EXPECT_TRUE(Log.contains("Fehler: Kein Importfilter für Datenquelle verfügbar: notiz.txt"))
        << Log.toStdString();
    EXPECT_TRUE(Log.contains("Benutze Import-Filter \"Amtliche Klimanormalwerte (WMO)\""));
    EXPECT_TRUE(Log.contains("Fehler: Station Koundara/Guinea: Höhe fehlt"));
    EXPECT_TRUE(Log.contains("10 Einträge insgesamt verarbeitet"));
    EXPECT_EQ(Database.Count(), 3 + 8);
    ASSERT_NE(Station("Conakry/Guinea"), nullptr);
    EXPECT_EQ(Station("Conakry/Guinea")->PositionText(),
              Windows1252::FromUtf8("9°34'N/13°37'W, 26m").value());
}

TEST_F(FilterFlowTest, FilesThatHoldNoStationsChangeNothing) {
    const std::vector<TDiagramData> original = Records();
    TTempDir::Write(Dir.File("notiz.txt"), "Einkaufsliste");
    Import(Dir.File("notiz.txt"));
    EXPECT_EQ(Ui.Shown, (Strings{"Öffnen: Diagramm importieren...",
                                 "Fehler: Kein Importfilter für Datenquelle verfügbar!"}));

    TTempDir::Write(Dir.File("einkauf.csv"), "Einkaufsliste\r\nBrot\r\nMilch\r\n");
    Import(Dir.File("einkauf.csv"));
    EXPECT_EQ(Ui.Shown, (Strings{"Öffnen: Diagramm importieren...", "Dialog: Meldungen"}));
    EXPECT_TRUE(Log.contains("Fehler: Kopfzeile ohne bekannte Spalte")) << Log.toStdString();

    // A folder that does not exist cannot take an export.
    Ui.Shown.clear();
    Ui.Steps = {ChooseLines({0}), PickFilter(0), ReadLog()};
    Ui.FileNames = {QString::fromStdString(Dir.File("fehlt/Auswahl.csv"))};
    Run(CmExport);
    EXPECT_EQ(Ui.Shown.back(), "Fehler: Export fehlgeschlagen!");
    ExpectSameStations(original);
    EXPECT_FALSE(std::filesystem::exists(Dir.File("fehlt")));
}

TEST_F(FilterFlowTest, ACancelledExportIsNoFailure) {
    Ui.Steps = {ChooseLines({0}), [](QDialog&) {
                    return static_cast<int>(QDialog::Rejected);
                }};
    Run(CmExport);
    Ui.Steps = {ChooseLines({0}), PickFilter(0)};
    Run(CmExport); // the file dialog is cancelled
    EXPECT_EQ(Ui.Shown, (Strings{"Dialog: Ortauswahl", "Dialog: Auswahlliste", "Dialog: Ortauswahl",
                                 "Dialog: Auswahlliste", "Speichern: Diagramm exportieren..."}));
}

} // namespace
