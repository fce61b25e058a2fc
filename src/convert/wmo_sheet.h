#pragma once

#include "convert/wmo_station.h"
#include "convert/wmo_text.h"

#include <string>
#include <string_view>

// The single-station data sheet of the WMO climate normals, in which the national services
// submit the normals of one station: title lines, a station header record (country, station
// name, WMO number, position, height) and a block of rows per parameter.
namespace WmoSheet {

// Whether the first row is one of the title lines of a data sheet.
bool IsTitle(const std::vector<std::string_view>& firstRow);

// The station of a sheet; what the sheet lacks stays empty. `origin` names the file.
TWmoStation Read(TWmoText& text, std::string origin);

} // namespace WmoSheet
