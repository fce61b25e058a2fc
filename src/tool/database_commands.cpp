#include "tool/commands.h"

#include "database/counting_merge_handler.h"
#include "model/climate_zone.h"
#include "model/windows1252.h"

#include <map>

using namespace Windows1252::Literals;

namespace Tool {

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
    arguments.ExpectPositional(2);
    const std::string choice = arguments.Option("--similar").value_or("ignore");
    const auto standing = choices.find(choice);
    if (standing == choices.end())
        throw TUsageError("--similar erwartet ignore, replace oder add, nicht \"" + choice + "\"");

    ExpectFile(arguments.Positional(0));
    TDatabaseMgr database(arguments.Positional(0), false, false);
    const std::vector<TDiagramData> records = ImportSource(arguments.Positional(1));
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
