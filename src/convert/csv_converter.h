#pragma once

#include "convert/converter.h"

#include <cstdint>
#include <map>
#include <string>

class TTextLines;

// Semicolon-separated text with a header line of column names, one station a line: every value
// of a record including the derived ones. Import takes columns by name (German or English), in
// any order, missing or extra.
class CSVConverter : public Converter {
public:
    // Reads (getter) and sets (setter) one value of a record as text. The setter throws the
    // record's exception for a value the record refuses, and FieldValues::TXInvalidField for a
    // field that holds no value of its kind; derived values have no setter.
    struct Accessor {
        std::string (*Getter)(const TDiagramData& record, char separator);
        void (*Setter)(TDiagramData& record, std::string_view text);
    };

    // A column of the export: its name and place; ordered by place alone.
    struct ExportKey {
        std::string Name;
        std::int32_t Position;
        friend bool operator<(const ExportKey& a, const ExportKey& b) {
            return a.Position < b.Position;
        }
    };

    CSVConverter();

    std::string GetDescription() const override { return "CSV (durch Semikola getrennte Liste)"; }
    // By the extension ".csv" alone, ignoring case.
    bool CanImport(const std::string& fileName) const override;
    bool CanExport() const override { return true; }
    std::string GetExtension() const override { return ".csv"; }
    std::vector<TDiagramData> Import(const std::string& fileName, ConverterLog& log) const override;
    void Export(const std::string& fileName, ConverterLog& log,
                const std::vector<TDiagramData>& records) const override;

private:
    void ReadStations(TTextLines& lines, ConverterLog& log,
                      std::vector<TDiagramData>& records) const;

    std::map<std::string, Accessor> ImportTable;
    std::map<ExportKey, Accessor> ExportTable;
};
