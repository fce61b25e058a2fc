// A diagram window on screen (painted through grab(), as the offscreen platform exposes no
// window): a repaint that copies the cached bitmap, and a resize that draws
// the picture anew; and opening many diagram frames at once.

#include "app/diag_frame.h"
#include "config/tvx_config.h"
#include "diagram/diag_window.h"
#include "station_generator.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

TDiagramData& Station() {
    static TDiagramData station = GenerateStations(1, 9).front();
    return station;
}

void BM_RepaintFromTheBitmap(benchmark::State& state) {
    const TTvxConfig settings;
    TDiagFrame frame(settings, Station(), nullptr);
    frame.Place(QRect(0, 0, 800, 600));
    frame.show();
    benchmark::DoNotOptimize(frame.View().grab());
    for (auto _ : state)
        benchmark::DoNotOptimize(frame.View().grab());
    state.counters["drawings"] = frame.View().PictureDrawings();
}
BENCHMARK(BM_RepaintFromTheBitmap)->Unit(benchmark::kMillisecond);

void BM_ResizeDrawsAnew(benchmark::State& state) {
    const TTvxConfig settings;
    TDiagFrame frame(settings, Station(), nullptr);
    frame.show();
    int width = 800;
    for (auto _ : state) {
        width = width == 800 ? 801 : 800;
        frame.Place(QRect(0, 0, width, 600));
        benchmark::DoNotOptimize(frame.View().grab());
    }
}
BENCHMARK(BM_ResizeDrawsAnew)->Unit(benchmark::kMillisecond);

// 80 frames made, placed in the 2 × 2 grid with cascade and painted.
void BM_OpenEightyWindows(benchmark::State& state) {
    const TTvxConfig settings;
    static std::vector<TDiagramData> stations = GenerateStations(80, 5);
    for (auto _ : state) {
        std::vector<std::unique_ptr<TDiagFrame>> frames;
        for (TDiagramData& station : stations) {
            frames.push_back(std::make_unique<TDiagFrame>(settings, station, nullptr));
            frames.back()->Place(QRect(0, 0, 960, 540));
            frames.back()->show();
        }
        for (const auto& frame : frames)
            benchmark::DoNotOptimize(frame->View().grab());
    }
}
BENCHMARK(BM_OpenEightyWindows)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
