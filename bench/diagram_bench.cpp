// Rendering one climate diagram: into an enhanced metafile (print, copy, file), into the
// window's bitmap, and everything one copy puts on the clipboard.

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

// Arg 1: as metafile (the EMF; the SVG and the PNG wait for a program to ask), arg 0: as bitmap.
void BM_ClipboardCopy(benchmark::State& state) {
    TTvxConfig settings;
    const TDiagramContent content{&Station(), NegativeSteps(Station())};
    for (auto _ : state)
        benchmark::DoNotOptimize(DiagramOutput::ClipboardData(
            settings, content, state.range(0) != 0, TEmfSurface::TrueSizeDevice()));
}
BENCHMARK(BM_ClipboardCopy)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What a program that pastes SVG or PNG waits for.
void BM_ClipboardPaste(benchmark::State& state) {
    TTvxConfig settings;
    const TDiagramContent content{&Station(), NegativeSteps(Station())};
    const QString format = state.range(0) != 0 ? "image/png" : "image/svg+xml";
    for (auto _ : state) {
        const auto data =
            DiagramOutput::ClipboardData(settings, content, true, TEmfSurface::TrueSizeDevice());
        benchmark::DoNotOptimize(data->data(format).size());
    }
}
BENCHMARK(BM_ClipboardPaste)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
