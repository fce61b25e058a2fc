#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

// What a file of the WMO climate normals says of one station, as written there; the texts are
// Windows-1252 and trimmed.
struct TWmoStation {
    // One row of monthly values, January first; an empty text where the month has no value.
    struct TSeries {
        bool Present = false;
        std::array<std::string, 12> Months;
        // Why the row cannot be used whatever its values, or empty.
        std::string Problem;
    };

    // Where the station stands, for messages about a station without a name ("Datei x.csv").
    std::string Origin;
    // The WMO number as written; empty where there is none.
    std::string Number;
    std::string Name;
    std::string Country;
    // Whether the name or the country held characters that Windows-1252 cannot store.
    bool LostCharacters = false;
    // Degrees, minutes and seconds ("50|46|58|N", "30 08") or decimal degrees ("-0.194").
    std::string Latitude;
    std::string Longitude;
    // Metres, with or without decimals.
    std::string Altitude;

    TSeries Precipitation;
    TSeries MeanTemperature;
    TSeries MaximumTemperature;
    TSeries MinimumTemperature;

    // The row of a parameter by the code both kinds of file give it ("1" or "001"
    // precipitation, 3 maximum, 4 minimum, 5 mean temperature); null for any other.
    TSeries* Parameter(std::string_view code) {
        code.remove_prefix(std::min(code.find_first_not_of('0'), code.size()));
        return code == "1"   ? &Precipitation
               : code == "3" ? &MaximumTemperature
               : code == "4" ? &MinimumTemperature
               : code == "5" ? &MeanTemperature
                             : nullptr;
    }
};
