#pragma once

#include "convert/converter.h"

// The program's own database format as a filter: exports chosen stations into a database file
// of their own and reads such files back.
class TvxDBConverter : public Converter {
public:
    std::string GetDescription() const override { return "Pelvanor-Datenbank"; }
    // Loads the file to see whether it is a database; the file is only read, never created.
    bool CanImport(const std::string& fileName) const override;
    bool CanExport() const override { return true; }
    std::string GetExtension() const override { return ".dat"; }
    std::vector<TDiagramData> Import(const std::string& fileName, ConverterLog& log) const override;
    // Replaces the file by a database of the records; of several records with one name only the
    // last is kept, the others count as not accepted.
    void Export(const std::string& fileName, ConverterLog& log,
                const std::vector<TDiagramData>& records) const override;
};
