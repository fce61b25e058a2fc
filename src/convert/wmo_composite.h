#pragma once

#include "convert/wmo_station.h"
#include "convert/wmo_text.h"

#include <string>
#include <unordered_map>
#include <vector>

// The composite files of the WMO climate normals: one file per parameter with every station of
// the world, a station a row ("Elem,Rgn,ID,WIGOS_ID,Latitude,Longitude,Elevation,Country,
// Station,Jan,…,Dec,Annual"), joined into stations.
namespace WmoComposite {

// Whether the first row is the header line of a composite file.
bool IsHeader(const std::vector<std::string_view>& firstRow);

// The files of the set that the chosen file belongs to, found by the parameter in its name
// (wmo_normals_9120_PRCP.csv, …_TAVG, …_TMAX, …_TMIN): precipitation first. A name without a
// parameter is a set of its own.
std::vector<std::string> FilesOfSet(const std::string& fileName);

// The stations of the files added, joined by WMO number, WIGOS identifier, country, name and
// position together: the number alone repeats (99999999 for every station without one, and a
// few numbers for two stations). The WMO writes -99.9 for a month without a value.
class TJoin {
public:
    // False when the text has no header line of a composite file.
    bool Add(TWmoText& text, const std::string& fileName);
    std::vector<TWmoStation>& Stations() { return Joined; }

private:
    std::unordered_map<std::string, std::size_t> Index;
    std::vector<TWmoStation> Joined;
};

} // namespace WmoComposite
