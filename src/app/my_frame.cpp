#include "app/my_frame.h"

#include "app/help_window.h"
#include "app/info_dialog.h"
#include "app/my_client.h"
#include "app/user_interface.h"
#include "app/wait_cursor.h"
#include "config/config_dialog.h"
#include "database/database_mgr.h"
#include "render/qt_text.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplashScreen>
#include <QTimer>
#include <QWindow>

namespace {

// Every command of the main menu: id, item text, shortcut, status-bar hint, help topic.
constexpr TMyFrame::TCommand Commands[] = {
    {24310, "&Beenden\tAlt+X", "Alt+X", "Beendet Pelvanor", 3001},
    {1011, "Karte &wechseln\tStrg+W", "Ctrl+W",
     "Wechselt von der Weltkarte zur Europakarte und umgekehrt", 3002},
    {1026, "&Alle Stationen zeigen\tStrg+A", "Ctrl+A", "Zeigt alle Stationen auf der Karte an",
     3007},
    {1021, "Diagramm aus&wählen...", nullptr, "Wählt Diagramme aus einer Liste aus", 3003},
    {1022, "Diagramm &suchen...\tStrg+S", "Ctrl+S",
     "Sucht Diagramme über ein eingegebenes Suchmuster", 3004},
    {1023, "Diagramm &erstellen...\tStrg+E", "Ctrl+E", "Erstellt ein neues Diagramm", 3005},
    {1024, "Diagramm ä&ndern...\tStrg+D", "Ctrl+D", "Ändert ein vorhandenes Diagramm", 3018},
    {1025, "Diagramm &löschen...", nullptr, "Löscht Diagramme aus der Datenbank", 3006},
    {1027, "&Konfigurieren...\tStrg+K", "Ctrl+K", "Konfiguriert die Diagramm-Darstellung", 3008},
    {1031, "Datenbank &neu laden", nullptr, "Lädt die Datenbank neu und verwirft alle Änderungen",
     3009},
    {1032, "Datenbank &sichern", nullptr, "Speichert alle Datenbankänderungen dauerhaft", 0},
    {1034, "Datenbank &exportieren...", nullptr, "Exportiert die Datenbank oder Teile daraus",
     3017},
    {1035, "Datenbank &importieren...", nullptr, "Importiert Diagramme in die Datenbank", 3011},
    {1041, "&Zum Diagramm\tStrg+Tab", "Ctrl+Tab", "Wechselt zur Diagrammdarstellung", 3012},
    {1042, "Z&ur letzten Auswahl...\tStrg+L", "Ctrl+L", "Zeigt die letzte Auswahlliste an", 3013},
    {1043, "A&lle Diagramme schließen\tStrg+Q", "Ctrl+Q", "Schließt alle Diagrammfenster", 3014},
    {1051, "&Hilfethemen\tF1", "F1", "Zeigt Hilfethemen an", 3015},
    {1052, "&Info...", nullptr, "Zeigt Programminformationen an", 3016},
};

// The separators of the menus follow these items.
constexpr int SeparatorAfter[] = {1011, 1022, 1025, 1032, 1051};

} // namespace

QPoint FramePlacement(const QRect& workArea, QSize outer, int border) {
    if (workArea.width() > outer.width() && workArea.height() > outer.height())
        return {workArea.left() + (workArea.width() - outer.width()) / 2,
                workArea.top() + (workArea.height() - outer.height()) / 2};
    return {workArea.left() - border, workArea.top() - border};
}

TMyStatusBar::TMyStatusBar(QWidget* parent) : QStatusBar(parent) {
    QFont font = this->font();
    font.setPointSize(10);
    setFont(font);
    setSizeGripEnabled(false);
    setObjectName(QStringLiteral("statusbar"));
}

TMyFrame::TMyFrame(const QString& title, TMyClient* client, TTvxConfig& settings,
                   TDatabaseMgr& database, QSplashScreen* splash, TUserInterface& ui,
                   QString helpFile)
    : Client(client), Settings(settings), Database(database), Splash(splash), Ui(ui),
      HelpFile(std::move(helpFile)) {
    setWindowTitle(title);
    // The map's tooltips name its stations also while another window is active.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    // No sizing border and no maximise button: the map gives the size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setCentralWidget(Client);
    setStatusBar(new TMyStatusBar(this));
    BuildMenus();
    Client->SetFitRequest([this](QSize) { FitToMap(); });
    FitToMap();
    UpdateCommands();
}

TMyFrame::~TMyFrame() {
    if (Splash) {
        Splash->hide();
        delete Splash;
    }
}

QMenu* TMyFrame::Menu(const char* title, std::initializer_list<int> ids) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title));
    menu->installEventFilter(this);
    connect(menu, &QMenu::aboutToShow, this, &TMyFrame::UpdateCommands);
    for (const int id : ids) {
        menu->addAction(Actions.at(id));
        if (std::find(std::begin(SeparatorAfter), std::end(SeparatorAfter), id) !=
            std::end(SeparatorAfter))
            menu->addSeparator();
    }
    return menu;
}

void TMyFrame::BuildMenus() {
    for (const TCommand& command : Commands) {
        auto* action = new QAction(QString::fromUtf8(command.Text), this);
        action->setObjectName(QString::number(command.Id));
        action->setStatusTip(QString::fromUtf8(command.Hint));
        if (command.Shortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(command.Shortcut)));
            action->setShortcutContext(Qt::ApplicationShortcut);
        }
        const int id = command.Id;
        connect(action, &QAction::triggered, this, [this, id] { Run(id); });
        Actions[id] = action;
    }
    Actions.at(1026)->setCheckable(true);
    Menu("&Datei", {24310});
    Menu("&Karte", {1011, 1026});
    Menu("Dia&gramm", {1021, 1022, 1023, 1024, 1025, 1027});
    Menu("Daten&bank", {1031, 1032, 1034, 1035});
    Menu("&Fenster", {1041, 1042, 1043});
    Menu("&Hilfe", {1051, 1052});
}

void TMyFrame::UpdateCommands() {
    const bool stations = Database.Count() > 0;
    const bool windows = Client->HasDiagramWindows();
    const bool all = Client->AllStationsShown();
    for (const int id : {1026, 1021, 1022, 1025})
        Actions.at(id)->setEnabled(stations);
    Actions.at(1026)->setChecked(all);
    Actions.at(1031)->setEnabled(!windows && !all);
    Actions.at(1035)->setEnabled(!windows && !all);
    Actions.at(1032)->setEnabled(Database.IsModified());
    Actions.at(1041)->setEnabled(windows);
    Actions.at(1043)->setEnabled(windows);
    Actions.at(1042)->setEnabled(Client->HasLastSelection());
}

void TMyFrame::Run(int id) {
    switch (id) {
    case 24310:
        close();
        break;
    case 1011:
        Client->ToggleMap();
        break;
    case 1026:
        ToggleAllStations();
        break;
    case 1027:
        Configure();
        break;
    case 1031:
        ReloadDatabase();
        break;
    case 1032:
        SaveDatabase();
        break;
    case 1051:
        ShowHelp(0);
        break;
    case 1052:
        TInfoDialog(Database, this).exec();
        break;
    default:
        // Built with the diagram windows and the database dialogs.
        break;
    }
    UpdateCommands();
}

void TMyFrame::SetUp(const std::function<void()>& ready) {
    Place();
    PlacementPending = frameGeometry().size() == size();
    QTimer::singleShot(1000, this, [this] {
        if (Splash)
            Splash->hide();
    });
    ready();
}

void TMyFrame::Place() {
    const QRect outer = frameGeometry();
    const QPoint place = FramePlacement(screen()->availableGeometry(), outer.size(),
                                        geometry().left() - outer.left());
    // A shown window is moved through its platform window: the window manager may have put it
    // elsewhere than Qt believes, and a move to the believed place would ask it nothing.
    if (QWindow* window = windowHandle(); window && window->isVisible()) {
        window->setFramePosition(place);
    } else {
        move(place);
    }
}

void TMyFrame::FitToMap() {
    if (QLayout* frameLayout = layout())
        frameLayout->activate();
    setFixedSize(sizeHint());
}

void TMyFrame::ToggleAllStations() {
    const TWaitCursor wait;
    Client->ShowAllStations(!Client->AllStationsShown());
}

void TMyFrame::Configure() {
    TConfigDialog(Settings, this).exec();
}

void TMyFrame::ReloadDatabase() {
    if (Ui.Ask(this, QStringLiteral("Sollen alle Änderungen verworfen werden?")) !=
        TUserInterface::TAnswer::Yes)
        return;
    try {
        const TWaitCursor wait;
        Database.Load(false, false);
    } catch (const TDatabaseMgr::TXBase& error) {
        Ui.Error(this, ToQString(error.what()));
    }
    Client->update();
    statusBar()->showMessage(QStringLiteral("Änderungen verworfen"));
}

void TMyFrame::SaveDatabase() {
    try {
        Database.Save();
    } catch (const TDatabaseMgr::TXBase& error) {
        Ui.Error(this, ToQString(error.what()));
    }
}

void TMyFrame::ShowHelp(int topic) {
    if (!Help)
        Help = std::make_unique<THelpWindow>(HelpFile);
    Help->ShowTopic(topic);
}

// The window manager frames a new window only after it is shown; with the first event that
// knows the frame, the window is placed again by its outer size.
bool TMyFrame::event(QEvent* event) {
    if (PlacementPending && frameGeometry().size() != size()) {
        PlacementPending = false;
        Place();
    }
    return QMainWindow::event(event);
}

void TMyFrame::closeEvent(QCloseEvent* event) {
    if (Ui.Ask(this, QStringLiteral("Wirklich beenden?")) == TUserInterface::TAnswer::Yes)
        event->accept();
    else
        event->ignore();
}

// F1 on a highlighted menu item opens that item's help topic, not the contents that F1 opens
// everywhere else.
bool TMyFrame::eventFilter(QObject* watched, QEvent* event) {
    auto* menu = qobject_cast<QMenu*>(watched);
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (!menu || !key || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        !menu->activeAction())
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept(); // the menu takes this F1 itself
        return true;
    }
    const int id = menu->activeAction()->objectName().toInt();
    for (const TCommand& command : Commands) {
        if (command.Id == id && command.HelpTopic != 0) {
            menu->close();
            ShowHelp(command.HelpTopic);
        }
    }
    return true;
}
