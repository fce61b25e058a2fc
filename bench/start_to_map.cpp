// The program's start up to the painted map, for a measure in a fresh process: starts as the
// program does with the files of the folder given (pelvanor.dat, tvxres.dll) and ends as soon as
// the map with its markers has been painted.

#include "app/my_app.h"
#include "app/my_client.h"
#include "app/my_frame.h"
#include "app/user_interface.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("Aufruf: start_to_map ORDNER/\n", stderr);
        return 2;
    }
    QApplication application(argc, argv);
    QTranslator translator;
    if (translator.load(QStringLiteral("qtbase_de"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&translator);
    TQtUserInterface ui;
    TMyApp::TPlaces places;
    places.ProgramDir = QString::fromLocal8Bit(argv[1]);
    // Never in the way of a program that runs.
    places.MarkerName =
        "pelvanor-start-to-map-" + std::to_string(QCoreApplication::applicationPid());
    return PelvanorMain(ui, places, [](TMyApp& program) {
        program.InitMainWindow();
        QCoreApplication::processEvents();
        program.Frame()->centralWidget()->repaint();
        return 0;
    });
}
