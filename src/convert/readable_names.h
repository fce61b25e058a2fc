#pragma once

#include <string>
#include <string_view>

// Names of stations and countries as the WMO files write them, made readable for a station
// name "Station/Staat". Texts are Windows-1252.
namespace ReadableNames {

// "_" and control characters become blanks, runs of blanks one, none at either end; a text
// written wholly in capitals gets capitalised words ("NAKHON SI THAMMARAT" -> "Nakhon Si
// Thammarat", "CHATEAU-D'OEX" -> "Chateau-D'Oex", "PLOUMANAC'H" -> "Ploumanac'h"). Everything
// else stays as written, transliterations such as "Muenchen" included.
std::string Readable(std::string_view text);

// The station part of a name: readable, and with "-" for every "/" (with the blanks around it),
// which would otherwise begin the country part ("Koeln/Bonn" -> "Koeln-Bonn").
std::string StationPart(std::string_view text);

} // namespace ReadableNames
