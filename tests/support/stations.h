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
