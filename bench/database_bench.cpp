// The database operations whose speed users feel with large station collections.

#include "database/database_mgr.h"
#include "model/windows1252.h"
#include "station_generator.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

constexpr int LargeDatabase = 100000;
constexpr int MergeSize = 20000;

// A database file of many stations in a temporary folder, made once.
const std::string& LargeDatabaseFile() {
    static const std::string file = [] {
        const auto path = std::filesystem::temp_directory_path() / "pelvanor-bench.dat";
        std::filesystem::remove(path);
        TDatabaseMgr database(path.string(), false, true);
        database.MergeList(GenerateStations(LargeDatabase, 1), nullptr);
        database.Save();
        return path.string();
    }();
    return file;
}

void BM_Load(benchmark::State& state) {
    const std::string& file = LargeDatabaseFile();
    for (auto _ : state) {
        TDatabaseMgr database(file, false, false);
        benchmark::DoNotOptimize(database.Count());
    }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
    TDatabaseMgr database(LargeDatabaseFile(), false, false);
    for (auto _ : state)
        database.Save();
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

void BM_EnumeratePatternMatches(benchmark::State& state) {
    const TDatabaseMgr database(LargeDatabaseFile(), false, false);
    const TDiagramData::TPlace pattern(state.range(0) == 0 ? "e" : "^[a-m].*burg");
    int matches = 0;
    for (auto _ : state) {
        matches = 0;
        for (int i = database.Find(pattern, -1, false); i >= 0;
             i = database.Find(pattern, i, false))
            ++matches;
    }
    state.counters["matches"] = matches;
}
BENCHMARK(BM_EnumeratePatternMatches)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SingleAddsInRandomOrder(benchmark::State& state) {
    const auto stations = GenerateStations(LargeDatabase, 2);
    for (auto _ : state) {
        TDatabaseMgr database("", false, false);
        for (const auto& station : stations)
            database.Add(station, false);
        benchmark::DoNotOptimize(database.Count());
    }
}
BENCHMARK(BM_SingleAddsInRandomOrder)->Unit(benchmark::kMillisecond);

class TIgnoringHandler : public TDatabaseMgr::MergeHandler {
public:
    void Identical(const TDiagramData&) override {}
    void Added(const TDiagramData&) override {}
    int Query(const TDiagramData&, const TDiagramData&) override { return Ignore; }
};

void BM_Merge(benchmark::State& state) {
    TDatabaseMgr existing("", false, false);
    existing.MergeList(GenerateStations(MergeSize, 3), nullptr);
    const auto incoming = GenerateStations(MergeSize, 4);
    TIgnoringHandler ignore;
    for (auto _ : state) {
        state.PauseTiming();
        TDatabaseMgr target("", false, false);
        target.Merge(existing, nullptr);
        state.ResumeTiming();
        target.MergeList(incoming, state.range(0) == 0 ? nullptr : &ignore);
        benchmark::DoNotOptimize(target.Count());
    }
}
BENCHMARK(BM_Merge)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
