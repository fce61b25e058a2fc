#pragma once

#include "convert/converter_log.h"
#include "model/diagram_data.h"

#include <iterator>
#include <string>
#include <vector>

// A file format through which stations leave and enter the program. Each filter class has one
// object for the whole run, which registers itself with the ConverterManager under its
// description. File names and texts are Windows-1252, as everywhere in the core.
class Converter {
public:
    // The text shown in the filter choice and the log; also the key of the registration.
    virtual std::string GetDescription() const = 0;
    // Whether this filter can read the file; never throws.
    virtual bool CanImport(const std::string& fileName) const = 0;
    virtual bool CanExport() const = 0;
    // The file extension with its leading dot.
    virtual std::string GetExtension() const = 0;
    // Reads the file and reports every record to the log.
    virtual std::vector<TDiagramData> Import(const std::string& fileName,
                                             ConverterLog& log) const = 0;
    // Reads several files as one run, in their order. A filter that must see them together
    // (to keep their stations apart, say) reads them its own way.
    virtual std::vector<TDiagramData> ImportFiles(const std::vector<std::string>& fileNames,
                                                  ConverterLog& log) const {
        std::vector<TDiagramData> records;
        for (const std::string& fileName : fileNames) {
            std::vector<TDiagramData> read = Import(fileName, log);
            records.insert(records.end(), std::make_move_iterator(read.begin()),
                           std::make_move_iterator(read.end()));
        }
        return records;
    }
    // Writes the records and reports every record to the log.
    virtual void Export(const std::string& fileName, ConverterLog& log,
                        const std::vector<TDiagramData>& records) const = 0;

protected:
    // Filters are never deleted through this class.
    ~Converter() = default;
};
