#include "tool/commands.h"

#include "convert/converter_manager.h"
#include "convert/default_converter_log.h"
#include "convert/file_names.h"
#include "convert/wmo_normals_converter.h"
#include "tool/tool_converter_ui.h"

#include <fstream>

namespace Tool {
namespace {

// A text file whose lines end in CR alone reads as a single line.
std::string LineEndNote(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::string start(64 * 1024, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    const bool onlyCarriageReturns =
        start.find('\r') != std::string::npos && start.find('\n') == std::string::npos;
    return onlyCarriageReturns ? " (die Zeilen enden nur mit CR statt mit CR LF oder LF)" : "";
}

// The export filter named (description in UTF-8), or else the first whose extension the target
// has.
int ExportFilterIndex(const std::vector<const Converter*>& filters, const std::string& target,
                      const std::optional<std::string>& description) {
    const std::optional<std::string> wanted =
        description ? std::optional(ToWindows1252(*description)) : std::nullopt;
    for (std::size_t i = 0; i < filters.size(); ++i) {
        const bool chosen = wanted ? filters[i]->GetDescription() == *wanted
                                   : FileNames::EqualIgnoringCase(filters[i]->GetExtension(),
                                                                  FileNames::Extension(target));
        if (chosen)
            return static_cast<int>(i);
    }
    if (description)
        throw TUsageError("kein Exportfilter \"" + *description + "\"");
    throw TUsageError("kein Exportfilter für \"" + target + "\"");
}

// The files through the filter of the WMO climate normals, leaving out the numbers given.
std::vector<TDiagramData> ImportWmoNormalsWithout(ConverterUi& ui,
                                                  const std::vector<std::string>& fileNames,
                                                  const std::set<std::string>& numbers) {
    const ConverterManager& manager = ConverterManager::Instance();
    const auto* normals = dynamic_cast<const WmoNormalsConverter*>(
        manager.Find(WmoNormalsConverter().GetDescription()));
    for (const std::string& fileName : fileNames)
        if (!normals || manager.FindImportConverter(fileName) != normals)
            throw TUsageError(
                "--skip-wmo gilt nur für Dateien der WMO-Klimanormalwerte, nicht für \"" +
                fileName + "\"");
    DefaultConverterLog log(ui.OpenLogWindow(), "Import");
    log.Message("Benutze Import-Filter \"" + normals->GetDescription() + "\"");
    std::vector<TDiagramData> records = normals->ImportFilesWithout(fileNames, log, numbers);
    log.Finish();
    return records;
}

} // namespace

std::vector<TDiagramData> ImportSources(const std::vector<std::string>& fileNames,
                                        const std::set<std::string>& skippedWmoNumbers) {
    for (const std::string& fileName : fileNames)
        ExpectFile(fileName);
    const ConverterManager& manager = ConverterManager::Instance();
    TToolConverterUi ui;
    std::vector<TDiagramData> records;
    if (!skippedWmoNumbers.empty())
        records = ImportWmoNormalsWithout(ui, fileNames, skippedWmoNumbers);
    else if (fileNames.size() == 1)
        records = manager.ImportFile(ui, fileNames.front());
    else
        records = manager.ImportFiles(ui, fileNames);
    if (records.empty() && !ui.ReportedProblem())
        throw TFailure(fileNames.size() == 1 ? "keine Station in \"" + fileNames.front() +
                                                   "\" gefunden" + LineEndNote(fileNames.front())
                                             : "keine Station in den Quellen gefunden");
    return records;
}

int Convert(const TArguments& arguments) {
    arguments.ExpectPositional(2);
    const std::string& source = arguments.Positional(0);
    const std::string& target = arguments.Positional(1);
    const std::optional<std::string> description = arguments.Option("--filter");
    const ConverterManager& manager = ConverterManager::Instance();
    const int filter = ExportFilterIndex(manager.GetExportConverters(), target, description);

    const std::vector<TDiagramData> records = ImportSources({source});
    if (records.empty())
        return ExitFailure;
    TToolConverterUi ui;
    ui.SetFile(target);
    ui.SetPick(filter);
    return manager.ExportDiagrams(records, ui, FileNames::BaseName(target)) ? ExitSuccess
                                                                            : ExitFailure;
}

} // namespace Tool
