#include "convert/export_file.h"

#include "database/safe_file.h"

namespace ExportFile {

bool Write(const std::string& fileName, std::string_view content, ConverterLog& log) {
    const SafeFile::TWriteResult written = SafeFile::Replace(fileName, content);
    if (!written)
        ReportFailure(log, SafeFile::Describe(fileName, written.Error));
    return static_cast<bool>(written);
}

void ReportFailure(ConverterLog& log, std::string_view reason) {
    log.Error(std::string("Speichervorgang fehlgeschlagen: ").append(reason));
}

} // namespace ExportFile
