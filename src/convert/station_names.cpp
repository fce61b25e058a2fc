#include "convert/station_names.h"

#include "model/windows1252.h"

using namespace Windows1252::Literals;

namespace StationNames {

std::string WithoutControlCharacters(std::string name) {
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return name;
}

void ReportTaken(ConverterLog& log, const std::string& stored, const std::string& written) {
    if (written == stored)
        log.Accepted();
    else
        log.Warning("Station umbenannt: " + stored + " --> " + written);
}

std::string LostCharactersError(const std::string& stationName) {
    return "Station " + stationName + ": Text mit Zeichen außerhalb von Windows-1252"_cp1252;
}

} // namespace StationNames
