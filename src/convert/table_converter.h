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
    // A line that is not what its place in the block needs drops its station with an error;
    // a value the record refuses ends the whole import with the record's exception.
    std::vector<TDiagramData> Import(const std::string& fileName, ConverterLog& log) const override;
    void Export(const std::string& fileName, ConverterLog& log,
                const std::vector<TDiagramData>& records) const override;

    // Reads a position from its text form (52°31'N/13°24'E) as a stream would: only the count
    // of the characters between the numbers matters, not which they are. A line without both
    // degrees and both hemisphere letters, or with more after them, throws
    // FieldValues::TXInvalidField; a value out of range the record's exception.
    static TDiagramData::TCoords ReadCoords(std::string_view line);
};
