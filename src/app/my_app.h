#pragma once

#include "app/database_place.h"
#include "app/running_info.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QLocalServer;
class TDatabaseMgr;
class TMyFrame;
class TResourceLibrary;
class TTvxConfig;
class TUserInterface;

// The program: refuses to start while the installer runs, keeps to one running instance, and
// owns the settings, the resource library, the database and the main window.
class TMyApp {
public:
    // The start was refused; its message has been shown.
    struct TXAbort {};
    // Another instance runs and has been brought to the front.
    struct TXAlreadyRunning {};

    static constexpr const char* Name = "Pelvanor 2.1c";

    // The running-instance marker of the user who runs the program: each user runs an instance
    // of their own.
    static std::string UserMarkerName();

    // Where the program finds its files and how its markers are named; the program itself uses
    // the defaults, tests their own.
    struct TPlaces {
        // The program's folder with a trailing "/"; empty: the running program's.
        QString ProgramDir;
        // What decides the database's place; empty: the running program's environment.
        std::optional<TDatabasePlace::TUserEnvironment> Environment;
        std::string MarkerName = UserMarkerName();
        std::string InstallerMarkerName = TvxSetup::MarkerName;
    };

    explicit TMyApp(TUserInterface& ui);
    TMyApp(TUserInterface& ui, TPlaces places);
    ~TMyApp();
    TMyApp(const TMyApp&) = delete;
    TMyApp& operator=(const TMyApp&) = delete;

    // Sets up the main window and runs the message loop; returns the exit code.
    int Run();
    // Settings, help file, resource library, splash, database and the main frame.
    void InitMainWindow();

    TMyFrame* Frame() const { return MainFrame.get(); }
    TTvxConfig* Settings() const { return DisplaySettings.get(); }
    TDatabaseMgr* Database() const { return StationDatabase.get(); }
    const QString& HelpFile() const { return HelpFileName; }

private:
    void ListenForSecondStarts();
    std::string OpenDatabaseFile(const std::string& programDir) const;

    TUserInterface& Ui;
    TPlaces Places;
    std::unique_ptr<TRunningInfo<Pelvanor::TRunningData>> Marker;
    std::unique_ptr<QLocalServer> Activation;
    std::unique_ptr<TTvxConfig> DisplaySettings;
    QString HelpFileName;
    std::unique_ptr<TResourceLibrary> Resources;
    std::unique_ptr<TDatabaseMgr> StationDatabase;
    std::unique_ptr<TMyFrame> MainFrame;
};

// The program's entry: runs the program (by default TMyApp::Run) and turns each way of failing
// into its message and exit code.
int PelvanorMain(TUserInterface& ui, const TMyApp::TPlaces& places = {},
                 const std::function<int(TMyApp&)>& run = {});
