#pragma once

#include "convert/converter.h"
#include "convert/converter_ui.h"

#include <map>
#include <string>
#include <vector>

// The registry of filters, keyed by description in plain byte order, and the export and import
// runs over them.
class ConverterManager {
public:
    // The program's manager, made on first use.
    static ConverterManager& Instance();

    // False, changing nothing, when the description is taken already.
    bool Register(const Converter* converter);
    void Unregister(const Converter* converter);

    // Every filter in key order.
    std::vector<const Converter*> GetConverters() const;
    // The filters that can write, in key order.
    std::vector<const Converter*> GetExportConverters() const;
    // The filter registered under the description, or null.
    const Converter* Find(const std::string& description) const;
    // The first filter in key order that can read the file, or null.
    const Converter* FindImportConverter(const std::string& fileName) const;

    // Lets the user pick a filter and a file, then exports the records with a log. True when the
    // log counted a record accepted (with or without changes). The file of the open database
    // (under whatever name the user gives it) is refused with an error box; nothing is written.
    bool ExportDiagrams(const std::vector<TDiagramData>& records, ConverterUi& ui,
                        const std::string& suggestedName,
                        const std::string& openDatabase = {}) const;
    // Lets the user pick one file or several and imports them; empty when cancelled or failed.
    std::vector<TDiagramData> ImportDiagrams(ConverterUi& ui) const;
    // Imports a known file with the filter that claims it, with a log.
    std::vector<TDiagramData> ImportFile(ConverterUi& ui, const std::string& fileName) const;
    // Imports several files with one log, each file with the filter that claims it (the files of
    // one filter together, in the order of the first of them); a file that no filter claims is
    // an error line naming it.
    std::vector<TDiagramData> ImportFiles(ConverterUi& ui,
                                          const std::vector<std::string>& fileNames) const;

private:
    std::map<std::string, const Converter*> Converters;
};

// Keeps one filter object for the whole run, registered with the program's manager.
template <typename TFilter>
class ConverterRegistration {
public:
    ConverterRegistration() { ConverterManager::Instance().Register(&Filter); }
    ~ConverterRegistration() { ConverterManager::Instance().Unregister(&Filter); }
    ConverterRegistration(const ConverterRegistration&) = delete;
    ConverterRegistration& operator=(const ConverterRegistration&) = delete;

private:
    TFilter Filter;
};
