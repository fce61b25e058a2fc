#pragma once

#include "convert/converter_log.h"

#include <string>
#include <string_view>

// How the export filters write their files and say why one could not be written.
namespace ExportFile {

// Puts the whole content in place of the file in one safe step. When that fails the old file
// stays as it was, the log says once why, and false is returned.
bool Write(const std::string& fileName, std::string_view content, ConverterLog& log);

// The log's one line for an export that wrote nothing: "Speichervorgang fehlgeschlagen: " and
// the reason (which names the file).
void ReportFailure(ConverterLog& log, std::string_view reason);

} // namespace ExportFile
