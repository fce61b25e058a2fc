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

// The classification gives exactly these zones; numbered 0 to 29 in the order of the usual legend,
// from Af to EF, they serve as indices where many stations are counted or coloured.
constexpr int ClimateZoneCount = 30;
std::string_view ClimateZoneCode(int zone);
// The number of a code, -1 for a code the classification never gives.
int ClimateZoneNumber(std::string_view code);
// The number of a station's zone: ClimateZoneOf without the description's text.
int ClimateZoneNumberOf(const TDiagramData& station);
// "Cfb – warmgemäßigt, immerfeucht, warme Sommer" in Windows-1252, as legends name a zone.
std::string ClimateZoneTitle(int zone);
