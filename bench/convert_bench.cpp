// Import and conversion of large station files.

#include "convert/converter_manager.h"
#include "station_generator.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

constexpr int LargeFile = 100000;

class TSilentLog : public ConverterLog {
public:
    void Message(std::string_view) override {}
    void Accepted() override { ++Count; }
    void Warning(std::string_view) override { ++Count; }
    void Error(std::string_view) override {}
    bool AnyAccepted() const override { return Count > 0; }
    int Count = 0;
};

const Converter& Filter(const std::string& description) {
    return *ConverterManager::Instance().Find(description);
}

const Converter& Csv() {
    return Filter("CSV (durch Semikola getrennte Liste)");
}

std::string TemporaryFile(const std::string& name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

// A CSV file of many stations, written once.
const std::string& LargeCsvFile() {
    static const std::string file = [] {
        const std::string path = TemporaryFile("pelvanor-bench.csv");
        TSilentLog log;
        Csv().Export(path, log, GenerateStations(LargeFile, 5));
        return path;
    }();
    return file;
}

void BM_ImportCsv(benchmark::State& state) {
    const std::string& file = LargeCsvFile();
    for (auto _ : state) {
        TSilentLog log;
        benchmark::DoNotOptimize(Csv().Import(file, log).size());
    }
}
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond);

void BM_ConvertCsvToNativeDatabase(benchmark::State& state) {
    const Converter& native = Filter("Pelvanor-Datenbank");
    const std::string target = TemporaryFile("pelvanor-bench-converted.dat");
    const std::string& file = LargeCsvFile();
    for (auto _ : state) {
        TSilentLog log;
        native.Export(target, log, Csv().Import(file, log));
        benchmark::DoNotOptimize(log.Count);
    }
}
BENCHMARK(BM_ConvertCsvToNativeDatabase)->Unit(benchmark::kMillisecond);

void BM_ExportTable(benchmark::State& state) {
    const auto stations = GenerateStations(LargeFile, 6);
    const std::string target = TemporaryFile("pelvanor-bench.tab");
    for (auto _ : state) {
        TSilentLog log;
        Filter("Tabelle").Export(target, log, stations);
    }
}
BENCHMARK(BM_ExportTable)->Unit(benchmark::kMillisecond);

} // namespace
