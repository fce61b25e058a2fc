#include "app/commands.h"
#include "frame_fixture.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

using Strings = std::vector<std::string>;
using TAnswer = TUserInterface::TAnswer;

class DatabaseCommandsTest : public FrameTest {
protected:
    DatabaseCommandsTest() {
        AddStation("Berlin/Deutschland", -13, 52);
        AddStation("Bern/Schweiz", -7, 47);
        AddStation("Kairo/Aegypten", -31, 30);
    }
    QString Status() const { return Frame->statusBar()->currentMessage(); }
    // Whether the frame lets itself be closed now.
    bool Closes() {
        QCloseEvent close;
        QCoreApplication::sendEvent(Frame.get(), &close);
        return close.isAccepted();
    }
};

TEST_F(DatabaseCommandsTest, DeletingClosesTheStationsWindowFirst) {
    Windows().Open({0, 2});
    Frame->showNormal();
    Ui.Steps.push_back(Enter("^Berlin"));
    Ui.Answers.push_back(TAnswer::Yes);
    Run(CmDelete);
    EXPECT_EQ(Ui.Shown, (Strings{"Dialog: Suche Station...",
                                 "Warnung: Station Berlin/Deutschland wirklich aus der Datenbank "
                                 "löschen?"}));
    EXPECT_EQ(Database.Find(TDiagramData::TPlace("Berlin/Deutschland"), -1, true), -1);
    EXPECT_EQ(Windows().Count(), 1);
    EXPECT_EQ(Status(), "Diagramme gelöscht");
}

TEST_F(DatabaseCommandsTest, DeletingSeveralAsksOnceAndNoKeepsThem) {
    Ui.Steps.push_back(Enter("^Ber"));
    Ui.Steps.push_back(ChooseLines({0, 1}));
    Run(CmDelete);
    EXPECT_EQ(Ui.Shown.back(), "Warnung: Stationen wirklich aus der Datenbank löschen?");
    EXPECT_EQ(Database.Count(), 3);
}

// The last selection survives a deletion by name, without the deleted station.
TEST_F(DatabaseCommandsTest, TheLastSelectionLosesOnlyTheDeletedStations) {
    Windows().SetLastSelection({0, 1, 2});
    Ui.Steps.push_back(Enter("^Bern"));
    Ui.Answers.push_back(TAnswer::Yes);
    Run(CmDelete);
    Strings listed;
    Ui.Steps.push_back(ChooseLines({}, &listed));
    Run(CmLastSelection);
    EXPECT_EQ(listed, (Strings{"Berlin/Deutschland", "Kairo/Aegypten"}));
}

TEST_F(DatabaseCommandsTest, EditingIsRefusedWhileAllStationsAreShown) {
    Run(CmAllStations);
    Run(CmCreate);
    Run(CmChange);
    EXPECT_EQ(Ui.Shown, (Strings{"Fehler: Anlegen von Diagrammen nicht möglich, wenn alle\n"
                                 "Stationen angezeigt werden!",
                                 "Fehler: Bearbeitung von Diagrammen nicht möglich, wenn alle\n"
                                 "Stationen angezeigt werden!"}));
}

TEST_F(DatabaseCommandsTest, ANameNotFoundBecomesANewStation) {
    Ui.Steps = {Enter("Neustadt"), [](QDialog& dialog) {
                    dialog.findChild<QPushButton*>(QStringLiteral("1"))->click();
                    return dialog.result();
                }};
    Run(CmCreate);
    EXPECT_NE(Database.Find(TDiagramData::TPlace("Neustadt"), -1, true), -1);
    EXPECT_EQ(Status(), "Diagramme erfolgreich erstellt/geändert");

    // An open station cannot be changed.
    Windows().Open({0});
    Frame->showNormal();
    Ui.Shown.clear();
    Ui.Steps = {Enter("^Berlin")};
    Run(CmChange);
    EXPECT_EQ(Ui.Shown.back(), "Fehler: Das Diagramm von Berlin/Deutschland kann nicht geändert "
                               "werden,\nweil es momentan angezeigt wird!");
}

// The status bar says what came of the editing: nothing after a refusal that its box told, a
// success when a station was stored, even if the next search was cancelled.
TEST_F(DatabaseCommandsTest, TheStatusBarSaysWhatCameOfTheEditing) {
    Windows().Open({0});
    Frame->showNormal();
    Frame->statusBar()->showMessage(QStringLiteral("Datenbank gesichert"));
    Ui.Steps = {Enter("^Berlin")};
    Run(CmChange);
    EXPECT_EQ(Status(), "");

    Ui.Steps = {Enter("Neustadt"), [](QDialog& dialog) {
                    dialog.findChild<QPushButton*>(QStringLiteral("4153"))->click();
                    return dialog.result();
                }};
    Run(CmCreate);
    EXPECT_NE(Database.Find(TDiagramData::TPlace("Neustadt"), -1, true), -1);
    EXPECT_EQ(Status(), "Diagramme erfolgreich erstellt/geändert");
}

TEST_F(DatabaseCommandsTest, ACancelledSearchEndsTheEditing) {
    Run(CmCreate);
    EXPECT_EQ(Status(), "Bearbeiten von Diagrammen abgebrochen");
    Ui.Steps.push_back(Enter("xyz"));
    Run(CmChange);
    EXPECT_EQ(Ui.Shown.back(), "Warnung: Das gewünschte Diagramm konnte nicht gefunden werden: "
                               "xyz\n\nSoll ein neues Diagramm mit diesem Namen angelegt werden?");
}

TEST_F(DatabaseCommandsTest, SaveAndReload) {
    Run(CmSave);
    EXPECT_EQ(Status(), "Datenbank gesichert");
    EXPECT_FALSE(Database.IsModified());
    Database.RemoveAt(2);
    Ui.Answers.push_back(TAnswer::Yes);
    Run(CmReload);
    EXPECT_EQ(Database.Count(), 3);
    EXPECT_EQ(Status(), "Änderungen verworfen");
}

// A reload that fails half-way leaves the stations as they were, so that the next save loses
// none of those behind the damage.
TEST_F(DatabaseCommandsTest, AFailedReloadKeepsEveryStation) {
    Run(CmSave);
    const std::string file = Dir.File("pelvanor.dat");
    std::filesystem::resize_file(file, std::filesystem::file_size(file) * 2 / 3);
    Ui.Answers = {TAnswer::Yes};
    Run(CmReload);
    EXPECT_EQ(Ui.Shown.back(), "Fehler: Datenbank-Manager: Unbekannter Datenfehler\n\nDie "
                               "Datenbank wurde nicht neu geladen; die Stationen bleiben, wie "
                               "sie waren.");
    EXPECT_EQ(Database.Count(), 3);

    AddStation("Lima/Peru", 77, -12);
    Ui.Answers = {TAnswer::Yes};
    EXPECT_TRUE(Closes());
    EXPECT_EQ(TDatabaseMgr(file, false, false).Count(), 4);
}

TEST_F(DatabaseCommandsTest, QuittingWithChangesOffersToSaveThem) {
    ASSERT_TRUE(Database.IsModified());
    Ui.Answers = {TAnswer::Cancel, TAnswer::No};
    EXPECT_FALSE(Closes());
    EXPECT_TRUE(Closes());
    EXPECT_TRUE(Database.IsModified());
    EXPECT_EQ(Ui.Shown[0], "Warnung: Die Datenbank wurde geändert.\n\nSollen die Änderungen vor "
                           "dem Beenden gespeichert werden?");

    Ui.Answers = {TAnswer::Yes};
    EXPECT_TRUE(Closes());
    EXPECT_FALSE(Database.IsModified());
    EXPECT_EQ(TDatabaseMgr(Dir.File("pelvanor.dat"), false, false).Count(), 3);

    // Without changes the old question stays.
    Ui.Shown.clear();
    Ui.Answers = {TAnswer::No};
    EXPECT_FALSE(Closes());
    EXPECT_EQ(Ui.Shown, Strings{"Warnung: Wirklich beenden?"});
}

} // namespace

namespace {

TEST_F(DatabaseCommandsTest, ExportedStationsComeBackThroughTheMergeQuestion) {
    const QString file = QString::fromStdString(Dir.File("Auswahl.csv"));
    Ui.Steps = {ChooseLines({0, 1, 2}), PickFilter(0)};
    Ui.FileNames = {file};
    Run(CmExport);
    EXPECT_EQ(Ui.Shown.back(), "Info: Export erfolgreich!");

    // Bern is gone and Berlin has another altitude: the import brings Bern back and asks about
    // Berlin, which "Ersetzen" takes back.
    Database.RemoveAt(Database.Find(TDiagramData::TPlace("Bern/Schweiz"), -1, true));
    TDiagramData berlin = *Station("Berlin/Deutschland");
    berlin.SetAltitude(TDiagramData::TAltitude(99));
    Database.Add(berlin, false);
    Ui.Shown.clear();
    Ui.FileNames = {file};
    Ui.Answers = {TAnswer::Yes};
    Ui.Steps = {[](QDialog&) { return static_cast<int>(QDialog::Accepted); },
                [](QDialog& dialog) {
                    dialog.findChild<QPushButton*>(QStringLiteral("4505"))->click();
                    return dialog.result();
                }};
    Run(CmImport);
    EXPECT_EQ(Ui.Shown.back(), "Info: Import erfolgreich!");
    EXPECT_NE(Database.Find(TDiagramData::TPlace("Bern/Schweiz"), -1, true), -1);
    EXPECT_EQ(Station("Berlin/Deutschland")->Altitude(), TDiagramData::TAltitude(0));
}

TEST_F(DatabaseCommandsTest, TheOpenDatabaseIsNoExportTarget) {
    Run(CmSave);
    const std::string file = Dir.File("pelvanor.dat");
    const std::string saved = TTempDir::Read(file);
    // The database beside the program, under another spelling.
    const std::string target = Dir.File("../" + Dir.Path.filename().string() + "/pelvanor.dat");
    Ui.Steps = {ChooseLines({0}), PickFilter(1)};
    Ui.FileNames = {QString::fromStdString(target)};
    Run(CmExport);
    EXPECT_EQ(Ui.Shown, (Strings{"Dialog: Ortauswahl", "Dialog: Auswahlliste",
                                 "Speichern: Diagramm exportieren...",
                                 "Fehler: Die geöffnete Datenbank kann nicht als Ziel eines "
                                 "Exports dienen!\n\n" +
                                     target,
                                 "Fehler: Export fehlgeschlagen!"}));
    EXPECT_EQ(TTempDir::Read(file), saved);
}

TEST_F(DatabaseCommandsTest, AnotherDatabaseFileIsMergedIn) {
    const std::string other = Dir.File("andere.dat");
    {
        TDatabaseMgr database(other, false, false);
        TDiagramData station;
        station.SetPlace(TDiagramData::TPlace("Lima/Peru"));
        database.Add(station, false);
        database.Save();
    }
    Ui.FileNames = {QString::fromStdString(other)};
    Ui.Answers = {TAnswer::Yes};
    Run(CmMergeFile);
    EXPECT_EQ(Ui.Shown.back(), "Info: Zusammenführen erfolgreich!");
    EXPECT_NE(Database.Find(TDiagramData::TPlace("Lima/Peru"), -1, true), -1);

    // A file that is no database may still be imported, if the user wants it.
    TTempDir::Write(Dir.File("kaputt.dat"), "kein Inhalt");
    Ui.Shown.clear();
    Ui.FileNames = {QString::fromStdString(Dir.File("kaputt.dat"))};
    Run(CmMergeFile);
    EXPECT_EQ(Ui.Shown.back(), "Warnung: Datenbank möglicherweise beschädigt\noder in einem alten "
                               "Format!\n\nSoll ein Import versucht werden?");
}

} // namespace
