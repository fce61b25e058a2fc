#pragma once

#include "convert/converter.h"

// Plain text with one value a line: 27 lines a station and an empty line after each.
class TableConverter : public Converter {
public:
    static constexpr int LinesPerStation = 27;

    std::string GetDescription() const override { return "Tabelle"; }
    // By the extension ".tab" alone, ignoring case.
    bool CanImport(const std::string& fileName) const override;
    bool CanExport() const override { return true; }
    std::string GetExtension() const override { return ".tab"; }
    // A value the record refuses ends the whole import with the record's exception.
    std::vector<TDiagramData> Import(const std::string& fileName, ConverterLog& log) const override;
    void Export(const std::string& fileName, ConverterLog& log,
                const std::vector<TDiagramData>& records) const override;

    // Reads a position from its text form (52°31'N/13°24'E) as a stream would: only the count
    // of the characters between the numbers matters, not which they are.
    static TDiagramData::TCoords ReadCoords(std::string_view line);
};
