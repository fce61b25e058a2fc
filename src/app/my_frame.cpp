#include "app/my_frame.h"

#include "app/command_areas.h"
#include "app/diagram_windows.h"
#include "app/help_window.h"
#include "app/menu_help.h"
#include "app/my_client.h"
#include "app/user_interface.h"
#include "database/database_mgr.h"
#include "render/qt_text.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplashScreen>
#include <QTimer>
#include <QWindow>

namespace {

// The separators of the menus follow these items.
constexpr int SeparatorAfter[] = {CmToggleMap, CmSearch, CmDelete, CmSave, CmHelpTopics};

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
    auto* hint = new QLabel(QStringLiteral(
        "Ziehen Sie ein Rechteck über die Karte oder suchen Sie eine Station mit Strg+S."));
    hint->setObjectName(QStringLiteral("hint"));
    // Quieter than the results of commands.
    QPalette palette = hint->palette();
    palette.setColor(QPalette::WindowText, QColor(0x55, 0x55, 0x55));
    hint->setPalette(palette);
    HintLabel = hint;
    addWidget(hint, 1);
}

void TMyStatusBar::ShowHint(bool shown) {
    if (!shown) {
        HintLabel->hide();
        return;
    }
    if (currentMessage().isEmpty())
        HintLabel->show();
    else // the bar shows it again once the message is gone
        HintLabel->setAttribute(Qt::WA_WState_ExplicitShowHide, false);
}

TMyFrame::TMyFrame(const QString& title, TMyClient* client, TTvxConfig& settings,
                   TDatabaseMgr& database, QSplashScreen* splash, TUserInterface& ui,
                   QString helpFile)
    : Client(client), Database(database), Splash(splash), Ui(ui),
      HelpFile(std::move(helpFile)), Context{*this,    *client, database,
                                             settings, ui,      *new TMyStatusBar(this),
                                             {}},
      Status(static_cast<TMyStatusBar&>(Context.Status)) {
    setWindowTitle(title);
    // The map's tooltips name its stations also while another window is active.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    // No sizing border and no maximise button: the map gives the size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setCentralWidget(Client);
    setStatusBar(&Context.Status);
    Areas[TCommandArea::Map] = std::make_unique<TMapCommands>(Context);
    Areas[TCommandArea::Selection] = std::make_unique<TSelectionCommands>(Context);
    Areas[TCommandArea::Editing] = std::make_unique<TEditingCommands>(Context);
    Areas[TCommandArea::Database] = std::make_unique<TDatabaseCommands>(Context);
    Areas[TCommandArea::Windows] = std::make_unique<TWindowCommands>(Context);
    Areas[TCommandArea::Help] = std::make_unique<THelpCommands>(Context);
    BuildMenus();
    Client->SetStatusBar(&Context.Status);
    Client->SetContextMenu(MapMenu);
    Client->SetStateChanged([this] { UpdateCommands(); });
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
    for (const TCommand& command : CommandTable()) {
        auto* action = new QAction(QString::fromUtf8(command.Text), this);
        action->setObjectName(QString::number(command.Id));
        action->setStatusTip(QString::fromUtf8(command.Hint));
        if (command.Shortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(command.Shortcut)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        const int id = command.Id;
        connect(action, &QAction::triggered, this, [this, id] { Run(id); });
        Actions[id] = action;
    }
    Actions.at(CmAllStations)->setCheckable(true);
    Menu("&Datei", {CmExit});
    Menu("&Karte", {CmToggleMap, CmAllStations, CmZoneLegend});
    Menu("Dia&gramm", {CmChoose, CmSearch, CmCreate, CmChange, CmDelete, CmConfigure});
    Menu("Daten&bank", {CmReload, CmSave, CmExport, CmImport, CmMergeFile});
    Menu("&Fenster", {CmToDiagram, CmLastSelection, CmCloseAll});
    Menu("&Hilfe", {CmHelpTopics, CmInfo});

    MapMenu = new QMenu(this);
    MapMenu->addAction(Actions.at(CmToggleMap));
    MapMenu->addSeparator();
    for (const int id : {CmToDiagram, CmLastSelection, CmCloseAll})
        MapMenu->addAction(Actions.at(id));
    MapMenu->addSeparator();
    MapMenu->addAction(Actions.at(CmAllStations));
    connect(MapMenu, &QMenu::aboutToShow, this, &TMyFrame::UpdateCommands);
}

void TMyFrame::UpdateCommands() {
    const TCommandState state{Database.Count() > 0, Client->Windows().Count() > 0,
                              Client->AllStationsShown(), Database.IsModified(),
                              Client->Windows().HasLastSelection()};
    for (const TCommand& command : CommandTable())
        Actions.at(command.Id)->setEnabled(CommandEnabled(command.Id, state));
    Actions.at(CmAllStations)->setChecked(state.AllStations);
    Status.ShowHint(!state.DiagramWindows);
}

void TMyFrame::Run(int id) {
    const TCommand* command = FindCommand(id);
    if (command->Area == TCommandArea::Frame)
        close();
    else if (const auto area = Areas.find(command->Area); area != Areas.end())
        area->second->Run(command->Id);
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

// Minimised, the frame makes way for the diagram windows; restored, it hides them. Whether the
// program or the window manager changed the state, this is where it is told.
void TMyFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        const bool wasMinimized =
            static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized;
        if (isMinimized() && !wasMinimized)
            Client->Windows().Arrange();
        else if (!isMinimized() && wasMinimized)
            Client->Windows().HideForMap();
        UpdateCommands();
    }
    QMainWindow::changeEvent(event);
}

// One question, then the program ends with every window: the diagram windows go in one sweep
// rather than one by one, which would arrange them after each, bring the map back and ask again.
void TMyFrame::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!MayEnd())
        return;
    Client->Windows().CloseAllForExit();
    event->accept();
}

// Changes of the database are never lost without a question; a failed save keeps the program
// open.
bool TMyFrame::MayEnd() {
    if (!Database.IsModified())
        return Ui.Ask(this, QStringLiteral("Wirklich beenden?")) == TUserInterface::TAnswer::Yes;
    const auto answer = Ui.AskYesNoCancel(
        this,
        QStringLiteral("Die Datenbank wurde geändert.\n\nSollen die Änderungen vor dem Beenden "
                       "gespeichert werden?"),
        QStringLiteral("Warnung"));
    if (answer == TUserInterface::TAnswer::Cancel)
        return false;
    if (answer == TUserInterface::TAnswer::Yes) {
        try {
            Database.Save();
        } catch (const TDatabaseMgr::TXBase& error) {
            Ui.Error(this, ToQString(error.what()));
            return false;
        }
    }
    return true;
}

bool TMyFrame::eventFilter(QObject* watched, QEvent* event) {
    const auto topicOf = [](int id) {
        const TCommand* command = FindCommand(id);
        return command ? command->HelpTopic : 0;
    };
    return ShowMenuItemHelp(watched, event, topicOf, [this](int topic) { ShowHelp(topic); }) ||
           QMainWindow::eventFilter(watched, event);
}
