#include "tool/commands.h"

#include "convert/converter_manager.h"
#include "convert/file_names.h"
#include "tool/tool_converter_ui.h"

namespace Tool {
namespace {

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

} // namespace

int Convert(const TArguments& arguments) {
    arguments.ExpectPositional(2);
    const std::string& source = arguments.Positional(0);
    const std::string& target = arguments.Positional(1);
    const std::optional<std::string> description = arguments.Option("--filter");
    const ConverterManager& manager = ConverterManager::Instance();
    const int filter = ExportFilterIndex(manager.GetExportConverters(), target, description);

    TToolConverterUi ui;
    const std::vector<TDiagramData> records = manager.ImportFile(ui, source);
    if (records.empty())
        return ExitFailure;
    ui.SetFile(target);
    ui.SetPick(filter);
    return manager.ExportDiagrams(records, ui, FileNames::BaseName(target)) ? ExitSuccess
                                                                            : ExitFailure;
}

} // namespace Tool
