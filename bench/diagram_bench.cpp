// Rendering one climate diagram: into an enhanced metafile (print, copy, file) and into the
// window's bitmap.

#include "diagram/emf_surface.h"
#include "render/diagram_output.h"
#include "station_generator.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

const TDiagramData& Station() {
    static const TDiagramData station = GenerateStations(1, 9).front();
    return station;
}

void BM_RecordEmf(benchmark::State& state) {
    TTvxConfig settings;
    settings.ColorOutput = state.range(0) != 0;
    const TDiagramContent content{&Station(), NegativeSteps(Station())};
    const TDiagramRendering rendering = TDiagramRendering::Output(settings);
    for (auto _ : state) {
        TEmfSurface surface(TDiagramLayout(settings, 1).PictureSize(false));
        DrawPicture(surface, rendering, content);
        benchmark::DoNotOptimize(surface.Finish().size());
    }
}
BENCHMARK(BM_RecordEmf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ScreenImage(benchmark::State& state) {
    const TTvxConfig settings;
    const TDiagramContent content{&Station(), NegativeSteps(Station())};
    for (auto _ : state)
        benchmark::DoNotOptimize(DiagramOutput::ScreenImage(settings, content, {800, 600}));
}
BENCHMARK(BM_ScreenImage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
