#pragma once

#include <cstdint>
#include <span>
#include <string_view>

struct TRgb {
    std::uint8_t Red;
    std::uint8_t Green;
    std::uint8_t Blue;
    friend bool operator==(const TRgb&, const TRgb&) = default;
};

struct TZoneColour {
    std::string_view Code;
    TRgb Colour;
};

// The colours of the climate zones on the maps of Beck et al. (2018), one for each zone number
// of the classification (model/climate_zone.h), in the same order.
std::span<const TZoneColour> ZoneColourTable();
TRgb ZoneColour(int zone);
