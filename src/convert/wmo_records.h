#pragma once

#include "convert/converter_log.h"
#include "convert/wmo_station.h"
#include "model/diagram_data.h"

#include <set>
#include <string>
#include <unordered_set>
#include <vector>

// Turns the stations of one import run of WMO climate normals into records: each station is
// reported once to the log (accepted, accepted after changes, or not accepted with the reason),
// and no two stations of the run get the same name.
class TWmoRecords {
public:
    // Stations with one of the skipped WMO numbers are passed over with a message.
    explicit TWmoRecords(ConverterLog& log, std::set<std::string> skippedNumbers = {});

    // Adds the station to the records when it has a name, a position, an altitude, twelve
    // precipitation totals and twelve temperatures (means, or else maxima and minima).
    void Take(const TWmoStation& station);

    std::vector<TDiagramData>& Records() { return Taken; }

    // The WMO number as the program writes it: digits only, leading zeros dropped down to five
    // digits ("00010384" -> "10384", "8222" -> "08222"); empty for no number or for one made of
    // nines, which the WMO writes where a station has none.
    static std::string Number(std::string_view written);

private:
    std::string UniqueName(const std::string& station, const std::string& country,
                           const std::string& number) const;

    ConverterLog& Log;
    std::set<std::string> SkippedNumbers;
    std::unordered_set<std::string> Names;
    std::vector<TDiagramData> Taken;
};
