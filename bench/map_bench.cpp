// The map with many stations: the all-stations mode until the map is painted, a tooltip, a drag
// over Europe until the list of the stations found is on screen, and the climate map: the
// colouring by zone and the limit to some zones switched until the map is painted again. The
// stations are made up and lie anywhere; PELVANOR_BENCH_DATABASE names a database file to take
// instead of the 5,000 (real stations crowd in Europe far more).

#include "app/my_client.h"
#include "app/my_frame.h"
#include "config/tvx_config.h"
#include "database/database_mgr.h"
#include "dbui/list_dialog.h"
#include "map/station_zones.h"
#include "render/resource_library.h"
#include "station_generator.h"
#include "support/scripted_user_interface.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

// The databases, made once for each size.
TDatabaseMgr& Stations(int count) {
    static std::map<int, std::unique_ptr<TDatabaseMgr>> databases;
    auto& database = databases[count];
    if (!database) {
        const QByteArray file = qgetenv("PELVANOR_BENCH_DATABASE");
        if (!file.isEmpty() && count == 5000) {
            database = TDatabaseMgr::ReadOnly(file.toStdString());
        } else {
            database = std::make_unique<TDatabaseMgr>("", false, false);
            database->MergeList(GenerateStations(count, 21), nullptr);
        }
    }
    return *database;
}

// The main window on a database, as the program shows it after the start.
struct TMainWindow {
    explicit TMainWindow(TDatabaseMgr& database) {
        Settings.AlwaysMaximize = false;
        Client = new TMyClient(database, Settings, *Resources, Ui);
        Frame = std::make_unique<TMyFrame>(QStringLiteral("Pelvanor"), Client, Settings, database,
                                           nullptr, Ui, QString());
        Frame->show();
        QCoreApplication::processEvents();
    }
    ~TMainWindow() {
        Frame.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TTvxConfig Settings;
    TScriptedUserInterface Ui;
    std::unique_ptr<TResourceLibrary> Resources =
        TResourceLibrary::Load(PELVANOR_PROGRAM_DIR "/tvxres.dll");
    TMyClient* Client;
    std::unique_ptr<TMyFrame> Frame;
};

void BM_AllStationsOnUntilPainted(benchmark::State& state) {
    TMainWindow window(Stations(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        window.Client->ShowAllStations(true);
        benchmark::DoNotOptimize(window.Client->grab());
        state.PauseTiming();
        window.Client->ShowAllStations(false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AllStationsOnUntilPainted)->Arg(5000)->Arg(100000)->Unit(benchmark::kMillisecond);

// With every station on show, the map painted again (as while an area is dragged).
void BM_RepaintAllStations(benchmark::State& state) {
    TMainWindow window(Stations(static_cast<int>(state.range(0))));
    window.Client->ShowAllStations(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(window.Client->grab());
}
BENCHMARK(BM_RepaintAllStations)->Arg(5000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The tooltip over the middle of Europe with every station on show.
void BM_ToolTipAllStations(benchmark::State& state) {
    TMainWindow window(Stations(static_cast<int>(state.range(0))));
    window.Client->ShowAllStations(true);
    const QPoint point(330, 120);
    for (auto _ : state) {
        QHelpEvent event(QEvent::ToolTip, point, window.Client->mapToGlobal(point));
        QCoreApplication::sendEvent(window.Client, &event);
    }
}
BENCHMARK(BM_ToolTipAllStations)->Arg(5000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// From the end of a drag over Europe on the world map until the list of the stations found is
// painted; the list is then cancelled.
void BM_DragOverEuropeToList(benchmark::State& state) {
    TMainWindow window(Stations(static_cast<int>(state.range(0))));
    int listed = 0;
    for (auto _ : state) {
        window.Ui.Steps.push_back([&listed](QDialog& dialog) {
            dialog.show();
            benchmark::DoNotOptimize(dialog.grab());
            listed = dynamic_cast<TDbUISearch::TDbUIListDialog&>(dialog).Count();
            return static_cast<int>(QDialog::Rejected);
        });
        window.Client->SelectArea({296, 42, 381, 157});
    }
    state.counters["stations"] = listed;
}
BENCHMARK(BM_DragOverEuropeToList)->Arg(5000)->Unit(benchmark::kMillisecond);

// The zone of every station, as worked out after each change of the database.
void BM_StationZonesUpdate(benchmark::State& state) {
    const TDatabaseMgr& database = Stations(static_cast<int>(state.range(0)));
    TStationZones zones;
    for (auto _ : state) {
        zones.Update(database);
        benchmark::DoNotOptimize(zones.Counts());
    }
}
BENCHMARK(BM_StationZonesUpdate)->Arg(5000)->Arg(100000)->Unit(benchmark::kMillisecond);

// With every station on show, the colouring by zone switched on or off, as after the
// configuration dialog, until the map is painted; the legend comes up with the first switch on.
void BM_SwitchZoneColouring(benchmark::State& state) {
    TMainWindow window(Stations(static_cast<int>(state.range(0))));
    window.Client->ShowAllStations(true);
    for (auto _ : state) {
        window.Settings.ColorStationsByZone = !window.Settings.ColorStationsByZone;
        window.Client->ZoneColouringChanged();
        benchmark::DoNotOptimize(window.Client->grab());
    }
}
BENCHMARK(BM_SwitchZoneColouring)->Arg(5000)->Arg(100000)->Unit(benchmark::kMillisecond);

// With every station on show in the colours of their zones, the map limited to the Cs zones or
// freed again until it is painted.
void BM_SwitchZoneLimit(benchmark::State& state) {
    TMainWindow window(Stations(static_cast<int>(state.range(0))));
    window.Settings.ColorStationsByZone = true;
    window.Client->ShowAllStations(true);
    TZoneSet mediterranean;
    for (const char* code : {"Csa", "Csb", "Csc"})
        mediterranean.set(static_cast<std::size_t>(ClimateZoneNumber(code)));
    for (auto _ : state) {
        window.Client->LimitToZones(window.Client->ZoneLimit() ? std::nullopt
                                                               : std::optional(mediterranean));
        benchmark::DoNotOptimize(window.Client->grab());
    }
}
BENCHMARK(BM_SwitchZoneLimit)->Arg(5000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
