#pragma once

// Plausible stations in large numbers: made-up names of a few syllables with one of a few
// dozen countries, each name once as in a real database, positions anywhere, a seasonal climate.

#include "model/diagram_data.h"

#include <random>
#include <string>
#include <unordered_set>
#include <vector>

inline std::vector<TDiagramData> GenerateStations(int count, unsigned seed) {
    static const char* const syllables[] = {"ber",  "lin", "mün",   "chen", "ham", "burg", "wei",
                                            "mar",  "köl", "stadt", "dorf", "ach", "see",  "tal",
                                            "wald", "ost", "nord",  "sü",   "bad", "alt",  "neu"};
    static const char* const countries[] = {"Deutschland", "Österreich", "Schweiz",  "Frankreich",
                                            "Italien",     "Spanien",    "Polen",    "Ungarn",
                                            "Kanada",      "Brasilien",  "Kenia",    "Japan",
                                            "Indien",      "Chile",      "Norwegen", ""};
    std::mt19937 random(seed);
    const auto pick = [&random](int n) {
        return static_cast<int>(random() % n);
    };
    const auto makeName = [&] {
        std::string name;
        for (int s = pick(3) + 2; s > 0; --s)
            name += syllables[pick(21)];
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
        if (const std::string country = countries[pick(16)]; !country.empty())
            name += "/" + country;
        return name;
    };
    std::unordered_set<std::string> names;
    std::vector<TDiagramData> stations;
    stations.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string name = makeName();
        while (!names.insert(name).second)
            name = makeName();
        TDiagramData station;
        station.SetPlace(TDiagramData::TPlace(name));
        station.SetCoords({pick(91), pick(60), pick(181), pick(60), pick(2) == 0, pick(2) == 0});
        station.SetAltitude(TDiagramData::TAltitude(pick(3000) - 20));
        TDiagramData::TMonthValues temperatures{};
        TDiagramData::TMonthValues precipitation{};
        const int base = pick(400) - 100;
        for (int m = 0; m < 12; ++m) {
            temperatures[m] = Math::Tenths::FromUnits(base + 15 * (6 - std::abs(6 - m)) * 10 / 6);
            precipitation[m] = Math::Tenths::FromUnits(pick(2500));
        }
        station.SetTemperatures(TDiagramData::TTemperatureData(temperatures));
        station.SetPrecipitation(TDiagramData::TPrecipitationData(precipitation));
        stations.push_back(std::move(station));
    }
    return stations;
}
