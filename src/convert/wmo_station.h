#pragma once

#include <array>
#include <string>

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
};
