#include "map/zone_colours.h"

namespace {

// The legend of the present-day maps in Beck, H. E., Zimmermann, N. E., McVicar, T. R.,
// Vergopolan, N., Berg, A. and Wood, E. F.: Present and future Köppen-Geiger climate
// classification maps at 1-km resolution, Scientific Data 5:180214 (2018), as the dataset's
// legend gives it in RGB. Atlases and the school maps drawn after them use these colours, so a
// pupil finds the same yellow for Csa here as there.
constexpr TZoneColour Colours[] = {
    {"Af", {0, 0, 255}},      {"Am", {0, 120, 255}},    {"Aw", {70, 170, 250}},
    {"BWh", {255, 0, 0}},     {"BWk", {255, 150, 150}}, {"BSh", {245, 165, 0}},
    {"BSk", {255, 220, 100}}, {"Csa", {255, 255, 0}},   {"Csb", {200, 200, 0}},
    {"Csc", {150, 150, 0}},   {"Cwa", {150, 255, 150}}, {"Cwb", {100, 200, 100}},
    {"Cwc", {50, 150, 50}},   {"Cfa", {200, 255, 80}},  {"Cfb", {100, 255, 80}},
    {"Cfc", {50, 200, 0}},    {"Dsa", {255, 0, 255}},   {"Dsb", {200, 0, 200}},
    {"Dsc", {150, 50, 150}},  {"Dsd", {150, 100, 150}}, {"Dwa", {170, 175, 255}},
    {"Dwb", {90, 120, 220}},  {"Dwc", {75, 80, 180}},   {"Dwd", {50, 0, 135}},
    {"Dfa", {0, 255, 255}},   {"Dfb", {55, 200, 255}},  {"Dfc", {0, 125, 125}},
    {"Dfd", {0, 70, 95}},     {"ET", {178, 178, 178}},  {"EF", {102, 102, 102}},
};

} // namespace

std::span<const TZoneColour> ZoneColourTable() {
    return Colours;
}

TRgb ZoneColour(int zone) {
    return Colours[zone].Colour;
}
