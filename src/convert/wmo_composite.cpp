#include "convert/wmo_composite.h"

#include "convert/file_names.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace WmoComposite {
namespace {

constexpr std::array<const char*, 4> Parameters = {"PRCP", "TAVG", "TMAX", "TMIN"};

// The columns of a composite file, by their names in the header line.
struct TColumns {
    static constexpr std::size_t None = std::string_view::npos;
    std::size_t Element = None, Number = None, Wigos = None, Latitude = None, Longitude = None,
                Elevation = None, Country = None, Station = None, January = None;

    explicit TColumns(const std::vector<std::string_view>& header) {
        for (std::size_t i = 0; i < header.size(); ++i) {
            const std::string key = LabelKey(header[i]);
            const std::pair<const char*, std::size_t*> names[] = {
                {"elem", &Element},      {"id", &Number},           {"wigosid", &Wigos},
                {"latitude", &Latitude}, {"longitude", &Longitude}, {"elevation", &Elevation},
                {"country", &Country},   {"station", &Station},     {"jan", &January},
                {"january", &January}};
            for (const auto& [name, column] : names)
                if (key == name && *column == None)
                    *column = i;
        }
    }

    // Every column is needed but the WIGOS identifier.
    bool Complete() const {
        return std::max({Element, Number, Latitude, Longitude, Elevation, Country, Station,
                         January}) != None;
    }
    std::size_t Last() const {
        return std::max({Element, Number, Latitude, Longitude, Elevation, Country, Station,
                         January + 11, Wigos == None ? 0 : Wigos});
    }
};

bool IsMissing(std::string_view value) {
    const auto tenths = WmoNumbers::Units(value, 1);
    return value.empty() || (tenths && *tenths <= -999);
}

} // namespace

bool IsHeader(const std::vector<std::string_view>& firstRow) {
    return !firstRow.empty() && LabelKey(firstRow[0]) == "elem" && TColumns(firstRow).Complete();
}

std::vector<std::string> FilesOfSet(const std::string& fileName) {
    const std::filesystem::path path(fileName);
    const std::string name = path.filename().string();
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c; });
    for (const std::string parameter : Parameters) {
        const std::size_t at = upper.rfind(parameter);
        if (at == std::string::npos)
            continue;
        // The others are written in the case of the one chosen.
        const bool small = name[at] >= 'a';
        std::vector<std::string> files;
        for (std::string other : Parameters) {
            if (small)
                std::transform(other.begin(), other.end(), other.begin(),
                               [](char c) { return static_cast<char>(c + 0x20); });
            const std::string otherName = name.substr(0, at) + other + name.substr(at + 4);
            files.push_back((path.parent_path() / otherName).string());
        }
        return files;
    }
    return {fileName};
}

bool TJoin::Add(TWmoText& text, const std::string& fileName) {
    std::vector<std::string_view> row;
    if (!text.NextRow(row) || !IsHeader(row))
        return false;
    const TColumns columns(row);
    const std::size_t last = columns.Last();
    const auto field = [&row](std::size_t column) {
        return column != TColumns::None ? row[column] : std::string_view();
    };
    const std::string origin = FileNames::BaseName(fileName) + FileNames::Extension(fileName);
    std::string key;
    while (text.NextRow(row)) {
        if (row.size() <= last)
            continue;
        key.clear();
        for (const std::size_t column : {columns.Number, columns.Wigos, columns.Country,
                                         columns.Station, columns.Latitude, columns.Longitude})
            key.append(field(column)).append(1, '\x1F');
        const auto [entry, added] = Index.try_emplace(key, Joined.size());
        if (added) {
            TWmoStation& station = Joined.emplace_back();
            station.Origin = origin + ", Zeile " + std::to_string(text.RowNumber());
            station.Number = field(columns.Number);
            bool nameComplete = true;
            bool countryComplete = true;
            station.Name = text.Text(field(columns.Station), nameComplete);
            station.Country = text.Text(field(columns.Country), countryComplete);
            station.LostCharacters = !nameComplete || !countryComplete;
            station.Latitude = field(columns.Latitude);
            station.Longitude = field(columns.Longitude);
            station.Altitude = field(columns.Elevation);
        }
        TWmoStation::TSeries* series = Joined[entry->second].Parameter(field(columns.Element));
        if (!series)
            continue;
        if (series->Present) {
            series->Problem = "mehrere Zeilen in " + origin;
            continue;
        }
        series->Present = true;
        // Where the file ends in the middle of a row, its December may have lost digits.
        if (text.RowCutOff() && row.size() <= columns.January + series->Months.size())
            series->Problem = "Zeile am Dateiende abgeschnitten";
        for (std::size_t month = 0; month < series->Months.size(); ++month) {
            const std::string_view value = row[columns.January + month];
            series->Months[month] = IsMissing(value) ? std::string_view() : value;
        }
    }
    return true;
}

} // namespace WmoComposite
