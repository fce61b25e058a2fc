#pragma once

#include <QMainWindow>
#include <QStatusBar>
#include <functional>
#include <map>

class QAction;
class QMenu;
class QSplashScreen;
class TDatabaseMgr;
class THelpWindow;
class TMyClient;
class TTvxConfig;
class TUserInterface;

// The status bar of the main frame: hints of the menu items and short results of commands.
class TMyStatusBar : public QStatusBar {
public:
    explicit TMyStatusBar(QWidget* parent);
};

// The program's main window: the menu with its commands, the status bar and the map client.
class TMyFrame : public QMainWindow {
public:
    struct TCommand {
        int Id;
        const char* Text;
        const char* Shortcut;
        const char* Hint;
        int HelpTopic;
    };

    TMyFrame(const QString& title, TMyClient* client, TTvxConfig& settings, TDatabaseMgr& database,
             QSplashScreen* splash, TUserInterface& ui, QString helpFile);
    ~TMyFrame() override;

    // The menu item of a command id.
    QAction* Action(int id) const { return Actions.at(id); }
    // Brings every item's enabled state up to date with the program's state.
    void UpdateCommands();
    // Places the window and starts what follows its set-up: the splash goes after a second,
    // `ready` learns that the window exists.
    void SetUp(const std::function<void()>& ready);
    // Opens the help at a topic (0: contents).
    void ShowHelp(int topic);
    THelpWindow* HelpWindow() const { return Help; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    QMenu* Menu(const char* title, std::initializer_list<int> ids);
    void Run(int id);
    void FitToMap();
    void ToggleAllStations();
    void Configure();
    void ReloadDatabase();
    void SaveDatabase();

    TMyClient* Client;
    TTvxConfig& Settings;
    TDatabaseMgr& Database;
    QSplashScreen* Splash;
    TUserInterface& Ui;
    QString HelpFile;
    THelpWindow* Help = nullptr;
    std::map<int, QAction*> Actions;
};
