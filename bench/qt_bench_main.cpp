// The main function of the benchmarks that need windows: an application on the offscreen
// platform unless told otherwise (QT_QPA_PLATFORM=xcb under xvfb-run: a real X server).

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
