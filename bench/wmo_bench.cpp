// Import of the WMO climate normals: the whole composite set, and the data sheets of many
// stations chosen at once.

#include "convert/converter_manager.h"
#include "convert/wmo_normals_converter.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

// Counts the log's entries by outcome; the benchmark shows them beside the times.
class TCountingLog : public ConverterLog {
public:
    void Message(std::string_view) override {}
    void Accepted() override { ++Taken; }
    void Warning(std::string_view) override { ++Taken; }
    void Error(std::string_view) override { ++Refused; }
    bool AnyAccepted() const override { return Taken > 0; }
    int Taken = 0;
    int Refused = 0;
};

const Converter& Filter(const std::string& description) {
    return *ConverterManager::Instance().Find(description);
}

// As many sheets as a user chooses from a few countries' folders: the sheets kept for the tests,
// copied over and over into a folder of their own, written once.
const std::vector<std::string>& Sheets(std::size_t count) {
    static std::vector<std::string> files;
    if (files.size() == count)
        return files;
    std::vector<std::filesystem::path> originals;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(PELVANOR_TEST_DATA_DIR "/wmo/sheets"))
        if (entry.is_regular_file())
            originals.push_back(entry.path());
    std::sort(originals.begin(), originals.end());
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "pelvanor-bench-sheets";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    files.clear();
    for (std::size_t i = 0; i < count; ++i) {
        const std::filesystem::path& original = originals[i % originals.size()];
        const std::filesystem::path copy =
            folder / (std::to_string(i) + "_" + original.filename().string());
        std::filesystem::copy_file(original, copy);
        files.push_back(copy.string());
    }
    return files;
}

void Report(benchmark::State& state, const TCountingLog& log) {
    state.counters["stations"] = log.Taken;
    state.counters["refused"] = log.Refused;
}

void BM_ImportWmoCompositeSet(benchmark::State& state) {
    const std::string file = PELVANOR_WMO_NORMALS_DIR "/wmo_normals_9120_PRCP.csv";
    TCountingLog log;
    for (auto _ : state) {
        log = {};
        benchmark::DoNotOptimize(Filter("Amtliche Klimanormalwerte (WMO)").Import(file, log));
    }
    Report(state, log);
}
BENCHMARK(BM_ImportWmoCompositeSet)->Unit(benchmark::kMillisecond);

// What "pelvanor-tool convert wmo_normals_9120_PRCP.csv welt.dat" does.
void BM_ConvertWmoCompositeSetToNativeDatabase(benchmark::State& state) {
    const std::string file = PELVANOR_WMO_NORMALS_DIR "/wmo_normals_9120_PRCP.csv";
    const std::string target =
        (std::filesystem::temp_directory_path() / "pelvanor-bench-welt.dat").string();
    TCountingLog log;
    for (auto _ : state) {
        log = {};
        const auto records = Filter("Amtliche Klimanormalwerte (WMO)").Import(file, log);
        TCountingLog exportLog;
        Filter("Pelvanor-Datenbank").Export(target, exportLog, records);
    }
    Report(state, log);
}
BENCHMARK(BM_ConvertWmoCompositeSetToNativeDatabase)->Unit(benchmark::kMillisecond);

// The files go through the program's import of several files: each probed by every filter.
void BM_ImportWmoSheetsAtOnce(benchmark::State& state) {
    const std::vector<std::string>& files = Sheets(static_cast<std::size_t>(state.range(0)));
    const ConverterManager& manager = ConverterManager::Instance();
    TCountingLog log;
    for (auto _ : state) {
        log = {};
        std::vector<std::string> claimed;
        for (const std::string& file : files)
            if (manager.FindImportConverter(file))
                claimed.push_back(file);
        benchmark::DoNotOptimize(
            Filter("Amtliche Klimanormalwerte (WMO)").ImportFiles(claimed, log));
    }
    Report(state, log);
}
BENCHMARK(BM_ImportWmoSheetsAtOnce)->Arg(700)->Unit(benchmark::kMillisecond);

} // namespace
