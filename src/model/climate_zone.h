#pragma once

#include "model/diagram_data.h"

#include <string>
#include <string_view>

// The Köppen-Geiger climate zone of a station, from its own twelve monthly means and totals,
// with the thresholds of Peel, Finlayson and McMahon (2007) and the mutually exclusive s/w rule of
// Kottek et al. (2006).
struct TClimateZone {
    // "Cfb", "BWh", "ET" …
    std::string Code;
    // In German, in Windows-1252: "warmgemäßigt, immerfeucht, warme Sommer".
    std::string Description;
};

TClimateZone ClimateZoneOf(const TDiagramData& station);
// The description of a code, empty for a code the classification never gives.
std::string ClimateZoneDescription(std::string_view code);
