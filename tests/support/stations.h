#pragma once

// Stations made for tests from plain numbers.

#include "model/diagram_data.h"

#include <array>
#include <string>

inline TDiagramData::TMonthValues TenthsOf(const std::array<double, 12>& values) {
    TDiagramData::TMonthValues tenths{};
    for (int m = 0; m < 12; ++m)
        tenths[m] = Math::Tenths::FromUnits(
            static_cast<std::int64_t>(values[m] * 10 + (values[m] < 0 ? -0.5 : 0.5)));
    return tenths;
}

inline TDiagramData MakeStation(const std::string& name, const std::array<double, 12>& temperatures,
                                const std::array<double, 12>& precipitation, bool north = true) {
    TDiagramData station;
    station.SetPlace(TDiagramData::TPlace(name));
    station.SetCoords({52, 31, 13, 24, north, false});
    station.SetAltitude(TDiagramData::TAltitude(34));
    station.SetTemperatures(TDiagramData::TTemperatureData(TenthsOf(temperatures)));
    station.SetPrecipitation(TDiagramData::TPrecipitationData(TenthsOf(precipitation)));
    return station;
}

// Two stations of very different climates.
inline TDiagramData BerlinStation() {
    return MakeStation("Berlin/Deutschland",
                       {-0.5, 0.5, 4, 8.5, 13.5, 17, 18.5, 18, 14.5, 9.5, 4.5, 1},
                       {42, 33, 41, 37, 54, 69, 56, 58, 45, 37, 44, 55});
}
inline TDiagramData ManausStation() {
    return MakeStation("Manaus/Brasilien", {26, 26, 26, 26, 26, 26, 27, 27, 28, 28, 27, 27},
                       {260, 290, 310, 290, 220, 100, 60, 40, 60, 110, 170, 220});
}

// Three climate zones of the temperate middle: oceanic, Mediterranean and tropical.
inline TDiagramData FreiburgStation() {
    return MakeStation("Freiburg/Deutschland", {2, 3, 7, 10, 14, 17, 19, 19, 15, 11, 6, 3},
                       {60, 55, 60, 70, 90, 95, 90, 85, 70, 65, 70, 70});
}
inline TDiagramData SevillaStation(const std::string& name = "Sevilla/Spanien") {
    return MakeStation(name, {11, 12.5, 15.5, 17.5, 21, 25, 28, 28, 25, 20, 15, 12},
                       {55, 45, 40, 45, 25, 10, 2, 5, 20, 60, 70, 80});
}
