// A diagram window on screen (painted through grab(), as the offscreen platform exposes no
// window): a repaint that copies the cached bitmap, and a resize that draws
// the picture anew; opening 80 diagram windows at once from the main window; and the log of a
// long import.

#include "app/diag_frame.h"
#include "app/diagram_windows.h"
#include "app/my_client.h"
#include "app/my_frame.h"
#include "app/user_interface.h"
#include "config/tvx_config.h"
#include "database/database_mgr.h"
#include "dbui/log_dialog.h"
#include "diagram/diag_window.h"
#include "render/resource_library.h"
#include "station_generator.h"
#include "support/lone_diagram_owner.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Made once the application exists, which its printer needs.
TLoneDiagramOwner& NoOwner() {
    static TLoneDiagramOwner owner;
    return owner;
}

TDiagramData& Station() {
    static TDiagramData station = GenerateStations(1, 9).front();
    return station;
}

void BM_RepaintFromTheBitmap(benchmark::State& state) {
    const TTvxConfig settings;
    TDiagFrame frame(settings, Station(), NoOwner());
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
    TDiagFrame frame(settings, Station(), NoOwner());
    frame.show();
    int width = 800;
    for (auto _ : state) {
        width = width == 800 ? 801 : 800;
        frame.Place(QRect(0, 0, width, 600));
        benchmark::DoNotOptimize(frame.View().grab());
    }
}
BENCHMARK(BM_ResizeDrawsAnew)->Unit(benchmark::kMillisecond);

// The command opens 80 windows, which the main frame lays out on the screen; the time ends when
// the last of them is painted.
void BM_OpenEightyWindows(benchmark::State& state) {
    TTvxConfig settings;
    settings.AlwaysMaximize = false;
    TDatabaseMgr database("", false, false);
    for (const TDiagramData& station : GenerateStations(80, 5))
        database.Add(station, true);
    const auto resources = TResourceLibrary::Load(PELVANOR_PROGRAM_DIR "/tvxres.dll");
    TQtUserInterface ui;
    auto* client = new TMyClient(database, settings, *resources, ui);
    TMyFrame frame(QStringLiteral("Pelvanor"), client, settings, database, nullptr, ui, QString());
    frame.show();
    std::vector<int> all(80);
    for (int i = 0; i < 80; ++i)
        all[static_cast<std::size_t>(i)] = i;
    for (auto _ : state) {
        client->Windows().Open(all);
        for (const auto& link : client->Windows().WindowLinks())
            benchmark::DoNotOptimize(link.Window->View().grab());
        state.PauseTiming();
        client->Windows().CloseAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenEightyWindows)->Unit(benchmark::kMillisecond);

// The log of an import of the whole WMO composite set: some two thousand lines while it is on
// screen.
void BM_LogOfAnImport(benchmark::State& state) {
    for (auto _ : state) {
        DbUI::TLogDialog log(nullptr);
        log.show();
        for (int line = 0; line < 2000; ++line)
            log.AppendLine(QStringLiteral("Fehler: Station %1/Land: Niederschlag fehlt").arg(line));
        log.Finish();
    }
}
BENCHMARK(BM_LogOfAnImport)->Unit(benchmark::kMillisecond);

} // namespace
