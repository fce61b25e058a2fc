#pragma once

#include "model/climate_zone.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

class TDatabaseMgr;

// A choice among the climate zones, by zone number.
using TZoneSet = std::bitset<ClimateZoneCount>;

// The climate zone of every station of a database, worked out once and kept for as long as the
// database stays as it is: a map of many stations is painted far more often than it changes.
class TStationZones {
public:
    // Works out the zone of every station of the database anew.
    void Update(const TDatabaseMgr& database);

    int StationCount() const { return static_cast<int>(Zones.size()); }
    // The zone number of the station with this record index.
    int ZoneOf(int recordIndex) const { return Zones[static_cast<std::size_t>(recordIndex)]; }
    // How many stations each zone has.
    const std::array<int, ClimateZoneCount>& Counts() const { return ZoneCounts; }
    // The record indices of the stations in these zones, in database order.
    std::vector<int> StationsIn(const TZoneSet& zones) const;

private:
    std::vector<std::uint8_t> Zones;
    std::array<int, ClimateZoneCount> ZoneCounts{};
};
