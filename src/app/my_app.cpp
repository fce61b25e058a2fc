#include "app/my_app.h"

#include "app/my_client.h"
#include "app/my_frame.h"
#include "app/user_interface.h"
#include "config/tvx_config.h"
#include "database/database_mgr.h"
#include "render/resource_library.h"
#include "tvxres/tvxres.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSplashScreen>
#include <unistd.h>

namespace {

constexpr char ActivationRequest[] = "show";

// Asks the running instance, over its local socket, to show its window in front.
void ActivateRunningInstance(const std::string& name) {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(name));
    if (!socket.waitForConnected(2000))
        return;
    socket.write(ActivationRequest);
    socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
}

} // namespace

std::string TMyApp::UserMarkerName() {
    return std::string(Name) + "-" + std::to_string(::geteuid());
}

TMyApp::TMyApp(TUserInterface& ui) : TMyApp(ui, TPlaces{}) {
}

TMyApp::TMyApp(TUserInterface& ui, TPlaces places) : Ui(ui), Places(std::move(places)) {
    {
        const TRunningInfo<TvxSetup::TRunningData> installer(Places.InstallerMarkerName);
        if (installer.View() && !installer.Created()) {
            Ui.Inform(nullptr,
                      QStringLiteral("Das Installationsprogramm wird ausgeführt!\n\nSie können "
                                     "Pelvanor nicht benutzen, solange das Installationsprogramm "
                                     "ausgeführt wird."),
                      QStringLiteral("Fehler"), TUserInterface::TIcon::Exclamation);
            throw TXAbort{};
        }
    }
    Marker = std::make_unique<TRunningInfo<Pelvanor::TRunningData>>(Places.MarkerName);
    if (!Marker->View())
        return; // without protection against a second instance
    if (!Marker->Created()) {
        if (Marker->View()->FrameHandle != 0)
            ActivateRunningInstance(Places.MarkerName);
        Marker.reset();
        throw TXAlreadyRunning{};
    }
    Marker->View()->FrameHandle = 0;
    ListenForSecondStarts();
}

// Shutdown order: the window, the database, the settings, the resource library, the marker.
TMyApp::~TMyApp() {
    MainFrame.reset();
    StationDatabase.reset();
    DisplaySettings.reset();
    Resources.reset();
    Activation.reset();
    Marker.reset();
}

void TMyApp::ListenForSecondStarts() {
    const QString name = QString::fromStdString(Places.MarkerName);
    QLocalServer::removeServer(name);
    Activation = std::make_unique<QLocalServer>();
    // Only the user's own later starts may call the window to the front.
    Activation->setSocketOptions(QLocalServer::UserAccessOption);
    if (!Activation->listen(name))
        return;
    QObject::connect(Activation.get(), &QLocalServer::newConnection, [this] {
        QLocalSocket* socket = Activation->nextPendingConnection();
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, [this, socket] {
            if (socket->readAll().startsWith(ActivationRequest) && MainFrame) {
                MainFrame->showNormal();
                MainFrame->raise();
                MainFrame->activateWindow();
            }
        });
    });
}

void TMyApp::InitMainWindow() {
    DisplaySettings = std::make_unique<TTvxConfig>();
    if (!Places.ProgramDir.isEmpty())
        DisplaySettings->ProgramDir = Places.ProgramDir.toStdString();
    const QString programDir = QString::fromStdString(DisplaySettings->ProgramDir);
    HelpFileName = programDir + "pelvanor.hlp";

    Resources = TResourceLibrary::Load(programDir + "tvxres.dll");
    if (!Resources) {
        Ui.Error(nullptr, QStringLiteral("Die Ressourcen-Bibliothek \"tvxres.dll\" wurde nicht "
                                         "gefunden!\n\nDiese Datei ist für die Ausführung dieses "
                                         "Programms notwendig.\nBitte deinstallieren Sie dieses "
                                         "Programm und installieren\nes erneut."));
        throw TXAbort{};
    }

    const double ratio = qApp->devicePixelRatio();
    auto splash = std::make_unique<QSplashScreen>(Resources->Picture(TvxResSplash, ratio),
                                                  Qt::WindowStaysOnTopHint);
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    StationDatabase =
        std::make_unique<TDatabaseMgr>(OpenDatabaseFile(DisplaySettings->ProgramDir), false, false);
    auto* client = new TMyClient(*StationDatabase, *DisplaySettings, *Resources, Ui);
    QSplashScreen* splashWindow = splash.get();
    MainFrame = std::make_unique<TMyFrame>(QString::fromLatin1(Name), client, *DisplaySettings,
                                           *StationDatabase, splash.release(), Ui, HelpFileName);
    MainFrame->setWindowIcon(QApplication::windowIcon());
    MainFrame->show();
    // The splash stays in front of the new window until its second is over.
    splashWindow->raise();
    MainFrame->SetUp([this] {
        if (Marker && Marker->View()) {
            const auto handle = static_cast<std::uint32_t>(MainFrame->winId());
            Marker->View()->FrameHandle = handle != 0 ? handle : 1;
        }
    });
}

// The database beside the program, or the user's own, made at the first start.
std::string TMyApp::OpenDatabaseFile(const std::string& programDir) const {
    const TDatabasePlace place = TDatabasePlace::For(
        programDir, Places.Environment
                        ? *Places.Environment
                        : TDatabasePlace::TUserEnvironment::OfThisProcess(programDir));
    if (const auto problem = place.MakeUserCopy()) {
        Ui.Error(nullptr, QStringLiteral("Die eigene Datenbank kann nicht angelegt werden:\n\n") +
                              QString::fromStdString(*problem));
        throw TXAbort{};
    }
    return place.File.string();
}

int TMyApp::Run() {
    InitMainWindow();
    return QApplication::exec();
}

int PelvanorMain(TUserInterface& ui, const TMyApp::TPlaces& places,
                 const std::function<int(TMyApp&)>& run) {
    const auto appendix = QStringLiteral("\n\nBitte wenden Sie sich an den Autor, falls diese "
                                         "Fehler-\nmeldung öfter auftauchen sollte.");
    try {
        TMyApp application(ui, places);
        return run ? run(application) : application.Run();
    } catch (const TMyApp::TXAlreadyRunning&) {
        return 0;
    } catch (const TMyApp::TXAbort&) {
        return 1;
    } catch (const std::exception&) {
        ui.Error(nullptr,
                 QStringLiteral("Das Programm wurde auf anomale Weise beendet!") + appendix);
        return 2;
    } catch (...) {
        ui.Error(nullptr, QStringLiteral("Eine unbekannte Ausnahme ist aufgetreten!") + appendix);
        return 3;
    }
}
