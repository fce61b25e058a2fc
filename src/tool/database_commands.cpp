#include "tool/commands.h"

#include "convert/wmo_records.h"
#include "database/counting_merge_handler.h"
#include "model/climate_zone.h"
#include "model/windows1252.h"

#include <map>

using namespace Windows1252::Literals;

namespace Tool {
namespace {

// WMO numbers separated by commas, as the importer writes them.
std::set<std::string> WmoNumbers(const std::string& list) {
    std::set<std::string> numbers;
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string written = list.substr(start, comma - start);
        const std::string number = TWmoRecords::Number(written);
        if (number.empty())
            throw TUsageError("--skip-wmo erwartet WMO-Nummern, nicht \"" + written + "\"");
        numbers.insert(number);
        start = comma + 1;
    }
    return numbers;
}

} // namespace

std::unique_ptr<TDatabaseMgr> ReadDatabase(const std::string& fileName) {
    ExpectFile(fileName);
    return TDatabaseMgr::ReadOnly(fileName);
}

int List(const TArguments& arguments) {
    arguments.ExpectPositional(1);
    const auto database = ReadDatabase(arguments.Positional(0));
    const bool zones = arguments.Switch("--koeppen");
    for (int i = 0; i < database->Count(); ++i) {
        const TDiagramData& record = database->RecordAt(i);
        std::string line = record.Place().Name() + '\t' + record.PositionText();
        if (zones)
            line += '\t' + ClimateZoneOf(record).Code;
        PrintLine(line);
    }
    return ExitSuccess;
}

int Info(const TArguments& arguments) {
    arguments.ExpectPositional(1);
    const auto database = ReadDatabase(arguments.Positional(0));
    const auto& header = database->Header();
    PrintLine("Datenbanksignatur: " + std::string(TDatabaseMgr::Signature));
    PrintLine("Datenbankversion: " + std::to_string(header ? header->Version : -1));
    PrintLine("Anzahl der Datensätze: "_cp1252 + std::to_string(database->Count()));
    return ExitSuccess;
}

int Find(const TArguments& arguments) {
    arguments.ExpectPositional(2);
    const TDiagramData::TPlace name(ToWindows1252(arguments.Positional(1)));
    const bool exact = arguments.Switch("--exact");
    const auto database = ReadDatabase(arguments.Positional(0));
    int found = 0;
    for (int i = database->Find(name, -1, exact); i >= 0; i = database->Find(name, i, exact)) {
        PrintLine(database->RecordAt(i).Place().Name());
        ++found;
    }
    // No hit says nothing; the exit code tells it.
    return found == 0 ? ExitFailure : ExitSuccess;
}

int Merge(const TArguments& arguments) {
    using TStanding = TCountingMergeHandler::TStanding;
    static const std::map<std::string, TStanding> choices = {{"ignore", TStanding::IgnoreAll},
                                                             {"replace", TStanding::ReplaceAll},
                                                             {"add", TStanding::AddAll}};
    arguments.ExpectAtLeastPositional(2);
    const std::string choice = arguments.Option("--similar").value_or("ignore");
    const auto standing = choices.find(choice);
    if (standing == choices.end())
        throw TUsageError("--similar erwartet ignore, replace oder add, nicht \"" + choice + "\"");

    std::set<std::string> skipped;
    if (const auto numbers = arguments.Option("--skip-wmo"))
        skipped = WmoNumbers(*numbers);

    ExpectFile(arguments.Positional(0));
    TDatabaseMgr database(arguments.Positional(0), false, false);
    std::vector<std::string> sources;
    for (std::size_t i = 1; i < arguments.PositionalCount(); ++i)
        sources.push_back(arguments.Positional(i));
    const std::vector<TDiagramData> records = ImportSources(sources, skipped);
    if (records.empty())
        return ExitFailure;

    TCountingMergeHandler handler(standing->second);
    database.MergeList(records, &handler);
    if (database.IsModified())
        database.Save();
    const TCountingMergeHandler::TCounts& counts = handler.Counts();
    PrintLine("Diagramme identisch: " + std::to_string(counts.Identical));
    PrintLine("Diagramme hinzugefügt: "_cp1252 + std::to_string(counts.Added));
    PrintLine("Diagramme ersetzt: " + std::to_string(counts.Replaced));
    PrintLine("Diagramme ignoriert: " + std::to_string(counts.Ignored));
    return ExitSuccess;
}

} // namespace Tool
