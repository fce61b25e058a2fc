#pragma once

#include "convert/converter.h"

#include <set>

// The WMO Climatological Standard Normals as published: the single-station data sheets of the
// national services (one station each) and the composite files with every station of the world
// (one file per parameter; choosing one reads the set beside it). Import only.
class WmoNormalsConverter : public Converter {
public:
    std::string GetDescription() const override { return "Amtliche Klimanormalwerte (WMO)"; }
    // By the content alone: a first line that is the title of a data sheet or the header line
    // of a composite file. Such a line holds no ";", so the CSV filter never read such a file.
    bool CanImport(const std::string& fileName) const override;
    bool CanExport() const override { return false; }
    std::string GetExtension() const override { return ".csv"; }
    std::vector<TDiagramData> Import(const std::string& fileName, ConverterLog& log) const override;
    // Reads the files as one run: no two stations get the same name, and a composite set is
    // read once however many of its files are chosen.
    std::vector<TDiagramData> ImportFiles(const std::vector<std::string>& fileNames,
                                          ConverterLog& log) const override;
    void Export(const std::string& fileName, ConverterLog& log,
                const std::vector<TDiagramData>& records) const override;

    // As ImportFiles, leaving out the stations with the given WMO numbers (five digits at least,
    // as TWmoRecords::Number writes them).
    std::vector<TDiagramData> ImportFilesWithout(const std::vector<std::string>& fileNames,
                                                 ConverterLog& log,
                                                 std::set<std::string> skippedNumbers) const;
};
