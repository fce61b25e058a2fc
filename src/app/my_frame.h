#pragma once

#include "app/commands.h"

#include <QMainWindow>
#include <QStatusBar>
#include <functional>
#include <map>
#include <memory>

class QAction;
class QMenu;
class QSplashScreen;
class TDatabaseMgr;
class THelpWindow;
class TMyClient;
class TTvxConfig;
class TUserInterface;

// The status bar of the main frame: hints of the menu items and short results of commands.
// While the bar has nothing else to say, a hint tells a newcomer how to begin.
class TMyStatusBar : public QStatusBar {
public:
    explicit TMyStatusBar(QWidget* parent);
    // The hint, for as long as no diagram is open.
    void ShowHint(bool shown);

private:
    QWidget* HintLabel;
};

// Where the frame's outer rectangle, window decorations included, goes on the work area: centred
// where it fits, else with its side border (`border` pixels wide) beyond the top-left corner.
QPoint FramePlacement(const QRect& workArea, QSize outer, int border);

// The program's main window: the menu with its commands, the status bar and the map client.
// Minimised it leaves the screen to the diagram windows; restored it hides them again.
class TMyFrame : public QMainWindow {
public:
    TMyFrame(const QString& title, TMyClient* client, TTvxConfig& settings, TDatabaseMgr& database,
             QSplashScreen* splash, TUserInterface& ui, QString helpFile);
    ~TMyFrame() override;

    // The menu item of a command id.
    QAction* Action(int id) const { return Actions.at(id); }
    // The map's context menu.
    QMenu* ContextMenu() const { return MapMenu; }
    // Brings every item's enabled state up to date with the program's state.
    void UpdateCommands();
    // Places the window and starts what follows its set-up: the splash goes after a second,
    // `ready` learns that the window exists.
    void SetUp(const std::function<void()>& ready);
    // Opens the help at a topic (0: contents).
    void ShowHelp(int topic);
    THelpWindow* HelpWindow() const { return Help.get(); }

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Places the window by its outer frame as far as it is known now.
    void Place();
    void BuildMenus();
    QMenu* Menu(const char* title, std::initializer_list<int> ids);
    void Run(int id);
    void FitToMap();
    // Asks before the program ends, and saves when the user wants to.
    bool MayEnd();

    TMyClient* Client;
    TDatabaseMgr& Database;
    QSplashScreen* Splash;
    TUserInterface& Ui;
    QString HelpFile;
    // Placed before the window manager told the size of its decorations. Declared before the
    // context, whose status bar, made in the initialiser list, already sends the frame events.
    bool PlacementPending = false;
    TCommandContext Context;
    TMyStatusBar& Status;
    std::map<TCommandArea, std::unique_ptr<TCommandHandler>> Areas;
    QMenu* MapMenu = nullptr;
    // Without a parent, so that it does not stay above the frame.
    std::unique_ptr<THelpWindow> Help;
    std::map<int, QAction*> Actions;
};
