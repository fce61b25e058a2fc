// The record operations that run once per station when a database is loaded, searched or
// merged.

#include "model/climate_zone.h"
#include "model/diagram_data.h"
#include "model/name_folding.h"
#include "station_generator.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ReadTenths(benchmark::State& state) {
    const char* const texts[] = {"12.3", "-0.5", "104.0", "-12.35", "0.0", "1234.56"};
    for (auto _ : state)
        for (const char* text : texts)
            benchmark::DoNotOptimize(Math::Tenths::FromText(text));
}
BENCHMARK(BM_ReadTenths);

void BM_FoldName(benchmark::State& state) {
    const std::string name = "M\xFCnchen-Riem/Deutschland (Bayern)";
    for (auto _ : state)
        benchmark::DoNotOptimize(FoldName(name));
}
BENCHMARK(BM_FoldName);

void BM_RecordSimilarity(benchmark::State& state) {
    TDiagramData a;
    a.SetPlace(TDiagramData::TPlace("K\xF6ln/Deutschland"));
    a.SetCoords({50, 56, 6, 57, true, false});
    TDiagramData b;
    b.SetPlace(TDiagramData::TPlace("Koeln-Bonn/Deutschland"));
    b.SetCoords({50, 52, 7, 8, true, false});
    for (auto _ : state)
        benchmark::DoNotOptimize(a.Similarity(b));
}
BENCHMARK(BM_RecordSimilarity);

void BM_TemperatureSeries(benchmark::State& state) {
    TDiagramData::TMonthValues values{};
    for (int month = 0; month < 12; ++month)
        values[month] = Math::Tenths::FromUnits(17 * month - 40);
    for (auto _ : state)
        benchmark::DoNotOptimize(TDiagramData::TTemperatureData(values).Mean());
}
BENCHMARK(BM_TemperatureSeries);

void BM_ClimateZone(benchmark::State& state) {
    const std::vector<TDiagramData> stations = GenerateStations(100, 3);
    for (auto _ : state)
        for (const TDiagramData& station : stations)
            benchmark::DoNotOptimize(ClimateZoneOf(station).Code.size());
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_ClimateZone);

} // namespace
