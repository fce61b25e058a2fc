#pragma once

#include "convert/converter_log.h"

#include <string>

// Names as the filters take them in and write them out.
namespace StationNames {

// The name with every control character (line ends, tabs and the like) replaced by a blank: a
// line of a text file cannot keep them, and they have no place in a name shown to the user.
std::string WithoutControlCharacters(std::string name);

// Reports a record taken over under `written` rather than under its `stored` name: Accepted
// when both are the same, else the warning "Station umbenannt: stored --> written".
void ReportTaken(ConverterLog& log, const std::string& stored, const std::string& written);

// The error for a station whose text held characters that Windows-1252 cannot store:
// "Station NAME: …".
std::string LostCharactersError(const std::string& stationName);

} // namespace StationNames
