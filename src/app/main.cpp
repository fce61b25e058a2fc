// Pelvanor: climate diagrams of weather stations.

#include "app/my_app.h"
#include "app/user_interface.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    application.setApplicationName(QString::fromLatin1(TMyApp::Name));
    application.setWindowIcon(QIcon(QStringLiteral(":/pelvanor/icon.png")));
    // German texts on Qt's own buttons.
    QTranslator translator;
    if (translator.load(QStringLiteral("qtbase_de"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&translator);
    TQtUserInterface ui;
    return PelvanorMain(ui);
}
