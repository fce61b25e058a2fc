#pragma once

#include <string>
#include <string_view>
#include <vector>

// German names of countries for the names of imported stations, "Station/Staat".
namespace CountryNames {

// An English name of a country as ISO 3166-1 writes it (name, common or official name) and the
// German short name from the standard's German translation, both UTF-8.
struct TIsoName {
    const char* English;
    const char* German;
};

// Every name of Debian's iso-codes, made from it at build time.
const std::vector<TIsoName>& IsoNames();

// The German name (Windows-1252) of a country as the WMO files spell it: an English name of
// ISO 3166-1 in any case, with "_" or nothing for the blanks ("Burkina_Faso", "BurkinaFaso"),
// or one of the WMO's own spellings ("Russian_Federation_(In_Asia)", "GUINEE CONAKRY"). A
// spelling that is none of these is kept, made readable like a station name.
std::string German(std::string_view spelling);

// Whether German() knows the spelling, rather than only making it readable.
bool IsKnown(std::string_view spelling);

} // namespace CountryNames
