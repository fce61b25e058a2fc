#include "tool/offscreen_application.h"

#include <cstdio>

namespace Tool {
namespace {

// Before the application exists, which reads the platform's name.
int ChooseOffscreen() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    });
    return 1;
}

} // namespace

TOffscreenApplication::TOffscreenApplication() : Argc(ChooseOffscreen()), Application(Argc, Argv) {
}

} // namespace Tool
