// Writes made-up stations as a CSV file, the input of the measures in fresh processes.

#include "convert/converter_manager.h"
#include "station_generator.h"

#include <cstdio>
#include <string>

namespace {

class TCountingLog : public ConverterLog {
public:
    void Message(std::string_view) override {}
    void Accepted() override { ++Count; }
    void Warning(std::string_view) override {}
    void Error(std::string_view) override {}
    bool AnyAccepted() const override { return Count > 0; }
    int Count = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fputs("Aufruf: make_stations ANZAHL STARTWERT DATEI.csv\n", stderr);
        return 2;
    }
    const auto* csv = ConverterManager::Instance().Find("CSV (durch Semikola getrennte Liste)");
    TCountingLog log;
    csv->Export(argv[3], log, GenerateStations(std::stoi(argv[1]), std::stoul(argv[2])));
    return log.Count == std::stoi(argv[1]) ? 0 : 1;
}
