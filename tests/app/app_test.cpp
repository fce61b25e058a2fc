#include "app/help_window.h"
#include "app/info_dialog.h"
#include "app/my_app.h"
#include "app/my_client.h"
#include "app/my_frame.h"
#include "config/config_dialog.h"
#include "config/tvx_config.h"
#include "database/database_mgr.h"
#include "render/resource_library.h"
#include "support/scripted_user_interface.h"
#include "support/temp_dir.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QToolTip>
#include <QWindow>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Strings = std::vector<std::string>;

// A program folder of its own: the resource library and the help file, a database of stations.
class AppTest : public testing::Test {
protected:
    AppTest() {
        const std::filesystem::path program(PELVANOR_PROGRAM_DIR);
        std::filesystem::create_symlink(program / "tvxres.dll", Dir.Path / "tvxres.dll");
        std::filesystem::copy_file(program / "pelvanor.hlp", Dir.Path / "pelvanor.hlp");
        Places.ProgramDir = QString::fromStdString(Dir.Path.string() + "/");
        const std::string unique = std::to_string(::getpid()) + " " +
                                   testing::UnitTest::GetInstance()->current_test_info()->name();
        Places.MarkerName = "Pelvanor test " + unique;
        Places.InstallerMarkerName = "Pelvanor installer test " + unique;
    }

    // The program's entry up to its main window: the exit code of a start that fails on the way.
    int StartWithoutMessageLoop() {
        return PelvanorMain(Ui, Places, [](TMyApp& app) {
            app.InitMainWindow();
            return 0;
        });
    }

    void AddStations() {
        TDatabaseMgr database(Dir.File("pelvanor.dat"), false, false);
        const auto add = [&](const char* name, TDiagramData::TCoords coords) {
            TDiagramData station;
            station.SetPlace(TDiagramData::TPlace(name));
            station.SetCoords(coords);
            database.Add(station, false);
        };
        add("Berlin/Deutschland", {52, 28, 13, 24, true, false});
        add("Kairo/Aegypten", {30, 8, 31, 24, true, false});
        add("Sydney/Australien", {33, 52, 151, 12, false, false});
        database.Save();
    }

    TTempDir Dir;
    TMyApp::TPlaces Places;
    TScriptedUserInterface Ui;
};

TEST_F(AppTest, EntryTurnsEveryFailureIntoItsExitCode) {
    EXPECT_EQ(PelvanorMain(Ui, Places, [](TMyApp&) { return 0; }), 0);
    EXPECT_EQ(PelvanorMain(Ui, Places, [](TMyApp&) -> int { throw std::runtime_error("x"); }), 2);
    EXPECT_EQ(PelvanorMain(Ui, Places, [](TMyApp&) -> int { throw 42; }), 3);
    EXPECT_EQ(Ui.Shown,
              (Strings{"Fehler: Das Programm wurde auf anomale Weise beendet!\n\nBitte wenden Sie "
                       "sich an den Autor, falls diese Fehler-\nmeldung öfter auftauchen sollte.",
                       "Fehler: Eine unbekannte Ausnahme ist aufgetreten!\n\nBitte wenden Sie sich "
                       "an den Autor, falls diese Fehler-\nmeldung öfter auftauchen sollte."}));
}

TEST_F(AppTest, RunningInstallerRefusesTheStart) {
    const TRunningInfo<TvxSetup::TRunningData> installer(Places.InstallerMarkerName);
    ASSERT_TRUE(installer.Created());
    EXPECT_EQ(PelvanorMain(Ui, Places, [](TMyApp&) { return 0; }), 1);
    EXPECT_EQ(Ui.Shown, Strings{"Fehler: Das Installationsprogramm wird ausgeführt!\n\nSie können "
                                "Pelvanor nicht benutzen, solange das Installationsprogramm "
                                "ausgeführt wird."});
}

TEST_F(AppTest, MissingResourceLibraryEndsTheStartBeforeAnyWindow) {
    std::filesystem::remove(Dir.Path / "tvxres.dll");
    EXPECT_EQ(StartWithoutMessageLoop(), 1);
    ASSERT_EQ(Ui.Shown.size(), 1u);
    EXPECT_TRUE(Ui.Shown[0].starts_with(
        "Fehler: Die Ressourcen-Bibliothek \"tvxres.dll\" wurde nicht gefunden!"));
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() ||
                std::none_of(QApplication::topLevelWidgets().begin(),
                             QApplication::topLevelWidgets().end(),
                             [](QWidget* w) { return w->isVisible(); }));
}

TEST_F(AppTest, SecondStartBringsTheFirstWindowToTheFront) {
    TMyApp first(Ui, Places);
    first.InitMainWindow();
    EXPECT_TRUE(std::filesystem::exists(Dir.File("pelvanor.dat"))); // made empty
    first.Frame()->showMinimized();
    QApplication::processEvents();
    EXPECT_THROW(TMyApp second(Ui, Places), TMyApp::TXAlreadyRunning);
    for (int i = 0; i < 50 && first.Frame()->isMinimized(); ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(first.Frame()->isMinimized());
}

TEST_F(AppTest, AfterAnEndTheNextStartRuns) {
    { TMyApp first(Ui, Places); }
    EXPECT_NO_THROW(TMyApp again(Ui, Places));
}

// Installed for every user, the program cannot write its folder: each user works on a copy of
// the shipped database of their own, which later starts take up again.
TEST_F(AppTest, ProgramForEveryUserKeepsTheUsersOwnDatabase) {
    AddStations();
    const std::string shipped = TTempDir::Read(Dir.File("pelvanor.dat"));
    Places.Environment = TDatabasePlace::TUserEnvironment{false, Dir.File("daten"), ""};
    const std::string own = Dir.File("daten/pelvanor/pelvanor.dat");
    {
        TMyApp app(Ui, Places);
        app.InitMainWindow();
        TDatabaseMgr& database = *app.Database();
        EXPECT_EQ(database.FileName(), own);
        EXPECT_EQ(database.Count(), 3);
        TDiagramData station;
        station.SetPlace(TDiagramData::TPlace("Lima/Peru"));
        database.Add(station, false);
        database.Save();
        EXPECT_EQ(TInfoDialog(database, nullptr).findChild<QLabel*>("4805")->text(),
                  QString::fromStdString(own));
    }
    EXPECT_EQ(TTempDir::Read(Dir.File("pelvanor.dat")), shipped);
    TMyApp again(Ui, Places);
    again.InitMainWindow();
    EXPECT_EQ(again.Database()->Count(), 4);
    EXPECT_TRUE(Ui.Shown.empty());
}

TEST_F(AppTest, DatabaseFolderThatCannotBeMadeEndsTheStartWithItsReason) {
    TTempDir::Write(Dir.File("daten"), "a file, no folder");
    Places.Environment = TDatabasePlace::TUserEnvironment{false, Dir.File("daten"), ""};
    EXPECT_EQ(StartWithoutMessageLoop(), 1);
    ASSERT_EQ(Ui.Shown.size(), 1u);
    EXPECT_TRUE(Ui.Shown[0].starts_with("Fehler: Die eigene Datenbank kann nicht angelegt "
                                        "werden:\n\n" +
                                        Dir.File("daten")))
        << Ui.Shown[0];
}

// Every user runs an instance of their own, which only the user's own starts can reach.
TEST_F(AppTest, MarkerAndSocketBelongToTheUser) {
    EXPECT_EQ(TMyApp::TPlaces{}.MarkerName, "Pelvanor 2.1c-" + std::to_string(::geteuid()));
    TMyApp app(Ui, Places);
    struct stat socket {};
    const QString name = QDir::tempPath() + "/" + QString::fromStdString(Places.MarkerName);
    ASSERT_EQ(::stat(name.toLocal8Bit().constData(), &socket), 0);
    EXPECT_TRUE(S_ISSOCK(socket.st_mode));
    EXPECT_EQ(socket.st_mode & 0077, 0u);
}

TEST_F(AppTest, MenusHoldTheCommandTable) {
    TMyApp app(Ui, Places);
    app.InitMainWindow();
    TMyFrame& frame = *app.Frame();
    EXPECT_EQ(frame.windowTitle(), "Pelvanor 2.1c");
    Strings menus;
    for (QAction* menu : frame.menuBar()->actions()) {
        std::string items = menu->text().toStdString() + ":";
        for (QAction* item : menu->menu()->actions())
            items += item->isSeparator() ? " |" : " " + item->objectName().toStdString();
        menus.push_back(items);
    }
    EXPECT_EQ(menus, (Strings{"&Datei: 24310", "&Karte: 1011 | 1026 1012",
                              "Dia&gramm: 1021 1022 | 1023 1024 1025 | 1027",
                              "Daten&bank: 1031 1032 | 1034 1035 1036", "&Fenster: 1041 1042 1043",
                              "&Hilfe: 1051 | 1052"}));
    EXPECT_EQ(frame.Action(1024)->text(), "Diagramm ä&ndern...\tStrg+D");
    EXPECT_EQ(frame.Action(1024)->shortcut(), QKeySequence("Ctrl+D"));
    EXPECT_EQ(frame.Action(24310)->shortcut(), QKeySequence("Alt+X"));
    EXPECT_EQ(frame.Action(1041)->shortcut(), QKeySequence("Ctrl+Tab"));
    EXPECT_EQ(frame.Action(1031)->statusTip(),
              "Lädt die Datenbank neu und verwirft alle Änderungen");
    EXPECT_TRUE(frame.Action(1021)->shortcut().isEmpty());

    // An empty database: nothing to choose, search, delete or show.
    for (const int id : {1021, 1022, 1025, 1026, 1012})
        EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;
    for (const int id : {24310, 1011, 1023, 1024, 1027, 1031, 1034, 1035, 1036, 1051, 1052})
        EXPECT_TRUE(frame.Action(id)->isEnabled()) << id;
    for (const int id : {1041, 1042, 1043})
        EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;
}

TEST_F(AppTest, AllStationsModeShowsEveryStationWithTooltips) {
    AddStations();
    TMyApp app(Ui, Places);
    app.InitMainWindow();
    TMyFrame& frame = *app.Frame();
    for (const int id : {1021, 1022, 1025, 1026})
        EXPECT_TRUE(frame.Action(id)->isEnabled()) << id;

    frame.Action(1026)->trigger();
    auto* client = static_cast<TMyClient*>(frame.centralWidget());
    EXPECT_TRUE(client->AllStationsShown());
    EXPECT_TRUE(frame.Action(1026)->isChecked());
    EXPECT_FALSE(frame.Action(1031)->isEnabled());
    EXPECT_FALSE(frame.Action(1035)->isEnabled());
    EXPECT_EQ(client->ToolId("Berlin/Deutschland"), 60000);
    EXPECT_EQ(client->ToolId("Kairo/Aegypten"), 60001);
    EXPECT_EQ(client->ToolId("Sydney/Australien"), 60002);
    EXPECT_TRUE(client->WorldMapShown());
    // Berlin's marker on the world map names it; the Europe map has Berlin alone.
    const QRect berlin = client->CurrentMap().ToolList().at(60000).Area;
    EXPECT_EQ(client->CurrentMap().ToolTipAt(berlin.center()), "Berlin/Deutschland");
    const QSize worldSize = frame.size();
    frame.Action(1011)->trigger();
    EXPECT_FALSE(client->WorldMapShown());
    EXPECT_EQ(client->CurrentMap().ToolList().size(), 1u);
    EXPECT_NE(frame.size(), worldSize); // the frame fits the map
    EXPECT_EQ(client->size(), QSize(640, 420));

    frame.Action(1026)->trigger();
    EXPECT_FALSE(client->ToolId("Berlin/Deutschland"));
    EXPECT_TRUE(client->WorldMapShown());
}

// Tooltips name the stations under the mouse also while another window is active.
TEST_F(AppTest, MapTooltipsShowWhileTheFrameIsInactive) {
    AddStations();
    TMyApp app(Ui, Places);
    app.InitMainWindow();
    TMyFrame& frame = *app.Frame();
    frame.Action(1026)->trigger();
    QWidget other;
    other.setGeometry(0, 0, 20, 20);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_FALSE(frame.isActiveWindow());

    // The mouse moves over Berlin's marker, as the window system tells the frame's window.
    auto* client = static_cast<TMyClient*>(frame.centralWidget());
    const QPoint berlin = client->CurrentMap().ToolList().at(60000).Area.center();
    QWindow* window = frame.windowHandle();
    QTest::mouseMove(window, window->mapFromGlobal(client->mapToGlobal(berlin)));
    for (int i = 0; i < 100 && !QToolTip::isVisible(); ++i)
        QTest::qWait(20);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Berlin/Deutschland");
    QToolTip::hideText();
}

TEST(FramePlacementTest, OuterFrameCentredOrBorderOffTheScreen) {
    const QRect workArea(0, 0, 1920, 1040);
    EXPECT_EQ(FramePlacement(workArea, {660, 481}, 4), QPoint(630, 279));
    // Beside a taskbar on the left and at the top.
    EXPECT_EQ(FramePlacement(QRect(48, 30, 1872, 1050), {660, 480}, 4), QPoint(654, 315));
    // As wide as the work area, or higher than it: the border lies beyond the top-left corner.
    EXPECT_EQ(FramePlacement(workArea, {1920, 480}, 4), QPoint(-4, -4));
    EXPECT_EQ(FramePlacement(workArea, {660, 1100}, 4), QPoint(-4, -4));
    EXPECT_EQ(FramePlacement(QRect(48, 30, 600, 400), {660, 480}, 3), QPoint(45, 27));
}

// The window system tells the size of a window's decorations only once the window is shown; a
// frame placed before is placed again by its outer rectangle.
TEST_F(AppTest, FrameIsCentredByItsOuterRectangle) {
    TDatabaseMgr database(Dir.File("pelvanor.dat"), false, false);
    TTvxConfig settings;
    const auto resources = TResourceLibrary::Load(Places.ProgramDir + "tvxres.dll");
    ASSERT_TRUE(resources);
    TMyFrame frame(QStringLiteral("Pelvanor"), new TMyClient(database, settings, *resources, Ui),
                   settings, database, nullptr, Ui, QString());
    frame.SetUp([] {});
    frame.show();
    QApplication::processEvents();
    const QRect workArea = frame.screen()->availableGeometry();
    const QRect outer = frame.frameGeometry();
    ASSERT_NE(outer.size(), frame.size()); // the offscreen platform's frame of 2 pixels
    EXPECT_EQ(outer.topLeft(),
              workArea.topLeft() + QPoint((workArea.width() - outer.width()) / 2,
                                          (workArea.height() - outer.height()) / 2));
}

// The help is a window of its own, which the main window can cover, and closing the main window
// ends the program even while the help is open.
TEST_F(AppTest, HelpIsAWindowOfItsOwn) {
    TMyApp app(Ui, Places);
    app.InitMainWindow();
    TMyFrame& frame = *app.Frame();
    frame.Action(1051)->trigger();
    THelpWindow* help = frame.HelpWindow();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->parentWidget(), nullptr);
    EXPECT_EQ(help->windowType(), Qt::Window);
    EXPECT_FALSE(help->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    ASSERT_TRUE(help->windowHandle());
    EXPECT_EQ(help->windowHandle()->transientParent(), nullptr);
    EXPECT_FALSE(help->testAttribute(Qt::WA_QuitOnClose));
}

TEST_F(AppTest, ClosingAsksFirst) {
    TMyApp app(Ui, Places);
    app.InitMainWindow();
    EXPECT_FALSE(app.Frame()->close());
    EXPECT_TRUE(app.Frame()->isVisible());
    Ui.Answers.push_back(TUserInterface::TAnswer::Yes);
    EXPECT_TRUE(app.Frame()->close());
    EXPECT_EQ(Ui.Shown, (Strings{"Warnung: Wirklich beenden?", "Warnung: Wirklich beenden?"}));
}

TEST_F(AppTest, FOneOnAHighlightedItemOpensItsTopic) {
    TMyApp app(Ui, Places);
    app.InitMainWindow();
    TMyFrame& frame = *app.Frame();
    QMenu* map = frame.menuBar()->actions().at(1)->menu();
    map->popup(QPoint(0, 0));
    QApplication::processEvents();
    map->setActiveAction(frame.Action(1011));
    ASSERT_EQ(map->activeAction(), frame.Action(1011));
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(map, &f1);
    ASSERT_TRUE(frame.HelpWindow());
    EXPECT_EQ(frame.HelpWindow()->CurrentTopic(), 3002);
    frame.Action(1051)->trigger();
    EXPECT_EQ(frame.HelpWindow()->CurrentTopic(), 0);
}

TEST(ConfigDialogTest, StandardThenCancelKeepsAndStandardThenOkResets) {
    TTvxConfig settings;
    settings.DrawGrid = false;
    settings.TableComplete = false;
    settings.PrecipScaleAuto = false;
    {
        TConfigDialog dialog(settings, nullptr);
        EXPECT_TRUE(dialog.Control(4720)->isChecked()); // no table option: "nicht ausgeben"
        EXPECT_TRUE(dialog.Control(4713)->isChecked()); // no scale option: "1:5"
        EXPECT_FALSE(dialog.Control(4705)->isChecked());
        dialog.findChild<QAbstractButton*>("4722")->click();
        EXPECT_TRUE(dialog.Control(4705)->isChecked());
        dialog.reject();
    }
    EXPECT_FALSE(settings.DrawGrid);
    EXPECT_FALSE(settings.TableComplete);
    {
        TConfigDialog dialog(settings, nullptr);
        dialog.findChild<QAbstractButton*>("4722")->click();
        dialog.accept();
    }
    const TTvxConfig defaults;
    EXPECT_TRUE(settings.DrawGrid);
    EXPECT_TRUE(settings.TableComplete);
    EXPECT_TRUE(settings.PrecipScaleAuto);
    EXPECT_FALSE(settings.PrecipScale1to10);
    EXPECT_EQ(settings.ColorOutput, defaults.ColorOutput);
    EXPECT_EQ(settings.AlwaysMaximize, defaults.AlwaysMaximize);

    {
        TConfigDialog dialog(settings, nullptr);
        dialog.Control(4708)->click(); // 1:10
        dialog.Control(4718)->click(); // without values
        dialog.Control(4703)->click(); // colour
        dialog.accept();
    }
    EXPECT_FALSE(settings.PrecipScaleAuto);
    EXPECT_TRUE(settings.PrecipScale1to10);
    EXPECT_TRUE(settings.TableWithoutValues);
    EXPECT_FALSE(settings.TableComplete);
    EXPECT_TRUE(settings.ColorOutput);
}

// The climate zone's box: off by default and after "Standard", with a key of its own.
TEST(ConfigDialogTest, TheClimateZoneHasItsOwnBoxAndAccelerator) {
    TTvxConfig settings;
    {
        TConfigDialog dialog(settings, nullptr);
        EXPECT_EQ(dialog.Control(4724)->text(), "Klima&zone nach Köppen-Geiger");
        EXPECT_FALSE(dialog.Control(4724)->isChecked());
        dialog.Control(4724)->click();
        dialog.accept();
    }
    EXPECT_TRUE(settings.ShowClimateZone);
    {
        TConfigDialog dialog(settings, nullptr);
        dialog.findChild<QAbstractButton*>("4722")->click();
        EXPECT_FALSE(dialog.Control(4724)->isChecked());
        QSet<QChar> keys;
        for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
            const qsizetype amp = button->text().indexOf(QLatin1Char('&'));
            if (amp < 0)
                continue;
            const QChar key = button->text().at(amp + 1).toLower();
            EXPECT_FALSE(keys.contains(key)) << button->text().toStdString();
            keys.insert(key);
        }
    }
}

// The map's colouring: off by default and after "Standard", stored only on OK.
TEST(ConfigDialogTest, ColouringTheMapByZoneIsASettingOfItsOwn) {
    TTvxConfig settings;
    {
        TConfigDialog dialog(settings, nullptr);
        EXPECT_EQ(dialog.Control(4725)->text(), "Stationen nach Klimazone f&ärben");
        EXPECT_FALSE(dialog.Control(4725)->isChecked());
        dialog.Control(4725)->click();
        dialog.reject();
    }
    EXPECT_FALSE(settings.ColorStationsByZone);
    {
        TConfigDialog dialog(settings, nullptr);
        dialog.Control(4725)->click();
        dialog.accept();
    }
    EXPECT_TRUE(settings.ColorStationsByZone);
    TConfigDialog dialog(settings, nullptr);
    EXPECT_TRUE(dialog.Control(4725)->isChecked());
    dialog.findChild<QAbstractButton*>("4722")->click();
    EXPECT_FALSE(dialog.Control(4725)->isChecked());
}

TEST(ConfigDialogTest, SizeIsFixed) {
    TTvxConfig settings;
    TConfigDialog dialog(settings, nullptr);
    dialog.show();
    const QSize size = dialog.size();
    EXPECT_EQ(dialog.minimumSize(), size);
    EXPECT_EQ(dialog.maximumSize(), size);
    dialog.resize(size + QSize(200, 100));
    EXPECT_EQ(dialog.size(), size);
}

TEST(InfoDialogTest, DatabaseFacts) {
    TTempDir dir;
    const TDatabaseMgr empty(dir.File("leer.dat"), false, false);
    const TInfoDialog emptyInfo(empty, nullptr);
    EXPECT_EQ(emptyInfo.findChild<QLabel*>("4804")->text(), "0");
    EXPECT_EQ(emptyInfo.findChild<QLabel*>("4803")->text(), "3");
    EXPECT_EQ(emptyInfo.findChild<QLabel*>("4802")->text(), "Pelvanor Database");
    EXPECT_EQ(emptyInfo.findChild<QLabel*>("4805")->text(),
              QString::fromStdString(dir.File("leer.dat")));
    const TDatabaseMgr withoutHeader("", false, false);
    EXPECT_EQ(TInfoDialog(withoutHeader, nullptr).findChild<QLabel*>("4803")->text(), "-1");
    // Where the stations come from, and how to add more.
    const QString source = emptyInfo.findChild<QLabel*>("4806")->text();
    EXPECT_TRUE(source.contains("WMO Climatological Normals 1991–2020")) << source.toStdString();
    EXPECT_TRUE(source.contains("„Datenbank importieren...“"));
}

TEST(SettingsTest, ProgramFolderOfTheRunningProgram) {
    const TTvxConfig settings;
    EXPECT_FALSE(settings.ProgramDir.empty());
    EXPECT_TRUE(settings.ProgramDir.ends_with("/"));
    EXPECT_TRUE(settings.ProgramPath.starts_with(settings.ProgramDir));
}

} // namespace
