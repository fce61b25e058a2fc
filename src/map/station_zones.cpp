#include "map/station_zones.h"

#include "database/database_mgr.h"

void TStationZones::Update(const TDatabaseMgr& database) {
    Zones.resize(static_cast<std::size_t>(database.Count()));
    ZoneCounts.fill(0);
    for (int index = 0; index < database.Count(); ++index) {
        const int zone = ClimateZoneNumberOf(database.RecordAt(index));
        Zones[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(zone);
        ++ZoneCounts[static_cast<std::size_t>(zone)];
    }
}

std::vector<int> TStationZones::StationsIn(const TZoneSet& zones) const {
    std::vector<int> stations;
    for (std::size_t index = 0; index < Zones.size(); ++index)
        if (zones[Zones[index]])
            stations.push_back(static_cast<int>(index));
    return stations;
}
