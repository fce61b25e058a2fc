#pragma once

#include "convert/converter.h"

// The station files of the two program generations before the object streams: flat sequences
// of fixed-size records without signature, recognised by their file names. Import only.

class OldTvxDBVer1Converter : public Converter {
public:
    std::string GetDescription() const override { return "alte Pelvanor-Datenbank (V1)"; }
    // Files named PELVANOR or VENOX2 that are no current database.
    bool CanImport(const std::string& fileName) const override;
    bool CanExport() const override { return false; }
    std::string GetExtension() const override { return ".dat"; }
    std::vector<TDiagramData> Import(const std::string& fileName, ConverterLog& log) const override;
    void Export(const std::string& fileName, ConverterLog& log,
                const std::vector<TDiagramData>& records) const override;
};

class OldTvxDBVer2Converter : public Converter {
public:
    std::string GetDescription() const override { return "alte Pelvanor-Datenbank (V2)"; }
    // Files named TVX that are no current database.
    bool CanImport(const std::string& fileName) const override;
    bool CanExport() const override { return false; }
    std::string GetExtension() const override { return ".dat"; }
    std::vector<TDiagramData> Import(const std::string& fileName, ConverterLog& log) const override;
    void Export(const std::string& fileName, ConverterLog& log,
                const std::vector<TDiagramData>& records) const override;
};
