#include "convert/converter_manager.h"

#include "convert/default_converter_log.h"
#include "convert/file_names.h"
#include "convert/input_file.h"
#include "database/safe_file.h"
#include "model/windows1252.h"

#include <algorithm>

using namespace Windows1252::Literals;

namespace {

// Restores the normal cursor however the run ends.
class TBusy {
public:
    explicit TBusy(ConverterUi& ui) : Ui(ui) { Ui.SetBusy(true); }
    ~TBusy() { Ui.SetBusy(false); }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    ConverterUi& Ui;
};

std::string Quoted(const std::string& text) {
    return '"' + text + '"';
}

// The suggested name with the characters no file name may hold replaced by blanks.
std::string UsableFileName(std::string name) {
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos; },
        ' ');
    return name;
}

} // namespace

ConverterManager& ConverterManager::Instance() {
    static ConverterManager manager;
    return manager;
}

bool ConverterManager::Register(const Converter* converter) {
    return Converters.emplace(converter->GetDescription(), converter).second;
}

void ConverterManager::Unregister(const Converter* converter) {
    Converters.erase(converter->GetDescription());
}

std::vector<const Converter*> ConverterManager::GetConverters() const {
    std::vector<const Converter*> converters;
    for (const auto& [description, converter] : Converters)
        converters.push_back(converter);
    return converters;
}

std::vector<const Converter*> ConverterManager::GetExportConverters() const {
    std::vector<const Converter*> converters = GetConverters();
    std::erase_if(converters, [](const Converter* c) { return !c->CanExport(); });
    return converters;
}

const Converter* ConverterManager::Find(const std::string& description) const {
    const auto found = Converters.find(description);
    return found == Converters.end() ? nullptr : found->second;
}

const Converter* ConverterManager::FindImportConverter(const std::string& fileName) const {
    for (const auto& [description, converter] : Converters)
        if (converter->CanImport(fileName))
            return converter;
    return nullptr;
}

bool ConverterManager::ExportDiagrams(const std::vector<TDiagramData>& records, ConverterUi& ui,
                                      const std::string& suggestedName,
                                      const std::string& openDatabase) const {
    if (records.empty()) {
        ui.ShowError("Keine Diagramme zum Export ausgewählt!"_cp1252);
        return false;
    }
    const std::vector<const Converter*> converters = GetExportConverters();
    if (converters.empty()) {
        ui.ShowError("Keine Exportfilter verfügbar!"_cp1252);
        return false;
    }
    std::vector<std::string> descriptions;
    for (const Converter* converter : converters)
        descriptions.push_back(converter->GetDescription());
    const int chosen = ui.PickFromList(descriptions);
    if (chosen < 0 || chosen >= static_cast<int>(converters.size()))
        return false;
    const Converter& filter = *converters[static_cast<std::size_t>(chosen)];

    const std::string extension = filter.GetExtension();
    ConverterUi::TFileDialog dialog;
    dialog.Title = "Diagramm exportieren...";
    dialog.Filter = filter.GetDescription() + " (*" + extension + ")|*" + extension + "|";
    dialog.DefaultExtension = extension.empty() ? "" : extension.substr(1);
    dialog.FileName = UsableFileName(suggestedName) + extension;
    const std::optional<std::string> fileName = ui.AskSaveFileName(dialog);
    if (!fileName)
        return false;
    if (SafeFile::SameFile(*fileName, openDatabase)) {
        bool complete = true;
        ui.ShowError(
            "Die geöffnete Datenbank kann nicht als Ziel eines Exports dienen!\n\n"_cp1252 +
            Windows1252::FromUtf8Replacing(*fileName, complete));
        return false;
    }

    DefaultConverterLog log(ui.OpenLogWindow(), "Export");
    {
        const TBusy busy(ui);
        log.Message("Benutze Export-Filter " + Quoted(filter.GetDescription()));
        filter.Export(*fileName, log, records);
    }
    log.Finish();
    return log.AnyAccepted();
}

std::vector<TDiagramData> ConverterManager::ImportDiagrams(ConverterUi& ui) const {
    ConverterUi::TFileDialog dialog;
    dialog.Title = "Diagramm importieren...";
    dialog.Filter = "Alle Dateien (*.*)|*.*|";
    const std::vector<std::string> fileNames = ui.AskOpenFileNames(dialog);
    if (fileNames.size() == 1)
        return ImportFile(ui, fileNames.front());
    return fileNames.empty() ? std::vector<TDiagramData>() : ImportFiles(ui, fileNames);
}

std::vector<TDiagramData> ConverterManager::ImportFile(ConverterUi& ui,
                                                       const std::string& fileName) const {
    const Converter* filter = FindImportConverter(fileName);
    if (!filter) {
        // A file that cannot be read is not claimed by any filter, but that is not its fault.
        const TInputFile file(fileName);
        ui.ShowError(file.Failed() ? file.Failure()
                                   : "Kein Importfilter für Datenquelle verfügbar!"_cp1252);
        return {};
    }
    DefaultConverterLog log(ui.OpenLogWindow(), "Import");
    std::vector<TDiagramData> records;
    {
        const TBusy busy(ui);
        log.Message("Benutze Import-Filter " + Quoted(filter->GetDescription()));
        records = filter->Import(fileName, log);
    }
    log.Finish();
    return records;
}

std::vector<TDiagramData>
ConverterManager::ImportFiles(ConverterUi& ui, const std::vector<std::string>& fileNames) const {
    std::vector<std::pair<const Converter*, std::vector<std::string>>> filesByFilter;
    std::vector<std::string> unclaimed;
    for (const std::string& fileName : fileNames) {
        const Converter* filter = FindImportConverter(fileName);
        if (!filter) {
            unclaimed.push_back(fileName);
            continue;
        }
        const auto same =
            std::find_if(filesByFilter.begin(), filesByFilter.end(),
                         [filter](const auto& files) { return files.first == filter; });
        if (same != filesByFilter.end())
            same->second.push_back(fileName);
        else
            filesByFilter.push_back({filter, {fileName}});
    }

    DefaultConverterLog log(ui.OpenLogWindow(), "Import");
    std::vector<TDiagramData> records;
    {
        const TBusy busy(ui);
        for (const std::string& fileName : unclaimed)
            log.Error("Kein Importfilter für Datenquelle verfügbar: "_cp1252 +
                      FileNames::Shown(fileName));
        for (const auto& [filter, files] : filesByFilter) {
            log.Message("Benutze Import-Filter " + Quoted(filter->GetDescription()));
            std::vector<TDiagramData> read = filter->ImportFiles(files, log);
            records.insert(records.end(), std::make_move_iterator(read.begin()),
                           std::make_move_iterator(read.end()));
        }
    }
    log.Finish();
    return records;
}
