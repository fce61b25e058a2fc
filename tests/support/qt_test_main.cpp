// The main of test programs that draw with Qt: an application without any display, with
// widgets where the test program has them.

#include <cstdio>
#include <gtest/gtest.h>

#ifdef QT_WIDGETS_LIB
#include <QApplication>
using TApplication = QApplication;
#else
#include <QGuiApplication>
using TApplication = QGuiApplication;
#endif

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's notes on what it cannot do are no test results.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && type != QtInfoMsg &&
            !message.startsWith("This plugin does not") && !message.startsWith("QStandardPaths"))
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    TApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
