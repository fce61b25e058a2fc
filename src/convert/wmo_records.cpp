#include "convert/wmo_records.h"

#include "convert/country_names.h"
#include "convert/readable_names.h"
#include "convert/station_names.h"
#include "convert/wmo_text.h"
#include "model/windows1252.h"

#include <algorithm>
#include <optional>

using namespace Windows1252::Literals;

namespace {

using TMonthUnits = std::array<std::int64_t, TDiagramData::MonthCount>;

// Metres: nothing on land lies deeper than the shore of the Dead Sea, and the WMO writes
// -876.5 or -9999 for an altitude it does not know.
constexpr std::int64_t LowestAltitude = -450;
// The longest name the edit dialog takes.
constexpr std::size_t LongestName = 255;

std::string Quoted(std::string_view text) {
    return '"' + std::string(text) + '"';
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string joined;
    for (const std::string& part : parts)
        joined += (joined.empty() ? "" : "; ") + part;
    return joined;
}

// A position as whole minutes with its hemisphere.
struct TAngle {
    std::int64_t Minutes;
    bool Positive;
};

// Degrees, minutes and seconds ("50|46|58|N", "50|08|10N", "27|58| |N", "30 08"), or decimal
// degrees ("-0.194"); the seconds are rounded to the nearest minute, half a minute up. Without
// a hemisphere letter a minus sign gives south or west, as in decimal degrees. Sixty seconds, as
// rounding writes them now and then ("47|00|60|N"), are a minute.
std::optional<TAngle> ReadAngle(std::string_view text, char positive, char negative) {
    bool isPositive = true;
    bool lettered = false;
    if (!text.empty()) {
        const char last = static_cast<char>(text.back() & ~0x20);
        if (last == positive || last == negative) {
            isPositive = last == positive;
            lettered = true;
            text.remove_suffix(1);
        }
    }
    if (!lettered && text.starts_with('-')) {
        isPositive = false;
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == '|' || text.back() == ' '))
        text.remove_suffix(1);

    // "|" parts the numbers, or else blanks do ("30 08").
    std::vector<std::string_view> parts;
    const char separator = text.find('|') != std::string_view::npos ? '|' : ' ';
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        std::string_view part = text.substr(start, end - start);
        while (part.starts_with(' '))
            part.remove_prefix(1);
        while (part.ends_with(' '))
            part.remove_suffix(1);
        if (!part.empty() || separator == '|')
            parts.push_back(part);
        start = end + 1;
    }
    constexpr std::int64_t HundredthSecondsPerMinute = 6000;
    if (parts.size() == 1) {
        const auto tenThousandths = WmoNumbers::Units(parts[0], 4);
        if (!tenThousandths || *tenThousandths < 0)
            return std::nullopt;
        return TAngle{(*tenThousandths * 60 + 5000) / 10000, isPositive};
    }
    if (parts.empty() || parts.size() > 3)
        return std::nullopt;
    const auto degrees = WmoNumbers::Units(parts[0], 0);
    const bool wholeDegrees = parts[0].find('.') == std::string_view::npos;
    const auto minutes = WmoNumbers::Units(parts[1], 2);
    // A blank in the place of the seconds means none.
    const auto seconds = parts.size() == 3 && !parts[2].empty() ? WmoNumbers::Units(parts[2], 2)
                                                                : std::optional<std::int64_t>(0);
    if (!degrees || !wholeDegrees || !minutes || !seconds || *degrees < 0 || *minutes < 0 ||
        *minutes >= 6000 || *seconds < 0 || *seconds > 6000)
        return std::nullopt;
    const std::int64_t hundredthSeconds =
        *degrees * 60 * HundredthSecondsPerMinute + *minutes * 60 + *seconds;
    return TAngle{(hundredthSeconds + HundredthSecondsPerMinute / 2) / HundredthSecondsPerMinute,
                  isPositive};
}

// The twelve values of a row in units of the given decimals; nothing, with the reason, where a
// month is missing or is no number.
std::optional<TMonthUnits> MonthUnits(const TWmoStation::TSeries& series, int decimals,
                                      const std::string& what, std::string& problem) {
    if (!series.Present) {
        problem = what + " fehlt";
        return std::nullopt;
    }
    if (!series.Problem.empty()) {
        problem = what + ": " + series.Problem;
        return std::nullopt;
    }
    TMonthUnits units{};
    for (int month = 0; month < TDiagramData::MonthCount; ++month) {
        const std::string& text = series.Months[month];
        const std::string monthName = TDiagramData::MonthName(month);
        if (text.empty()) {
            problem = what + " für "_cp1252 + monthName + " fehlt";
            return std::nullopt;
        }
        const auto value = WmoNumbers::Units(text, decimals);
        if (!value) {
            problem = what + " für "_cp1252 + monthName + ": " + Quoted(text) + " ist keine Zahl";
            return std::nullopt;
        }
        units[month] = *value;
    }
    return units;
}

Math::Tenths RoundedTenths(std::int64_t units, std::int64_t unitsPerTenth) {
    const std::int64_t half = unitsPerTenth / 2;
    const std::int64_t tenths = (units < 0 ? units - half : units + half) / unitsPerTenth;
    return Math::Tenths::FromUnits(tenths);
}

TDiagramData::TMonthValues Tenths(const TMonthUnits& units) {
    TDiagramData::TMonthValues values;
    std::transform(units.begin(), units.end(), values.begin(),
                   [](std::int64_t tenths) { return Math::Tenths::FromUnits(tenths); });
    return values;
}

// What a station lacks for a record, as far as its own values tell.
struct TStationValues {
    std::vector<std::string> Problems;
    std::vector<std::string> Changes;
    std::optional<TAngle> Latitude;
    std::optional<TAngle> Longitude;
    std::int64_t Altitude = 0;
    TDiagramData::TMonthValues Temperatures{};
    TDiagramData::TMonthValues Precipitation{};
};

void ReadPosition(const TWmoStation& station, TStationValues& values) {
    values.Latitude = ReadAngle(station.Latitude, 'N', 'S');
    if (!values.Latitude)
        values.Problems.push_back("Breite " + Quoted(station.Latitude) + " unlesbar");
    values.Longitude = ReadAngle(station.Longitude, 'E', 'W');
    if (!values.Longitude)
        values.Problems.push_back("Länge "_cp1252 + Quoted(station.Longitude) + " unlesbar");

    const auto altitude = WmoNumbers::Units(station.Altitude, 0);
    if (station.Altitude.empty())
        values.Problems.push_back("Höhe fehlt"_cp1252);
    else if (!altitude)
        values.Problems.push_back("Höhe "_cp1252 + Quoted(station.Altitude) + " ist keine Zahl");
    else if (*altitude < LowestAltitude)
        values.Problems.push_back("Höhe "_cp1252 + station.Altitude + " m unmöglich"_cp1252);
    else
        values.Altitude = *altitude;
}

void ReadMonths(const TWmoStation& station, TStationValues& values) {
    std::string problem;
    if (const auto precipitation = MonthUnits(station.Precipitation, 1, "Niederschlag", problem))
        values.Precipitation = Tenths(*precipitation);
    else
        values.Problems.push_back(problem);

    std::string meanProblem;
    if (const auto means = MonthUnits(station.MeanTemperature, 1, "Temperatur", meanProblem)) {
        values.Temperatures = Tenths(*means);
        return;
    }
    // The usual practice where the daily mean is not reported: the mean of the mean daily
    // maximum and minimum, exact from their hundredths.
    std::string maximumProblem;
    std::string minimumProblem;
    const auto maxima =
        MonthUnits(station.MaximumTemperature, 2, "Temperaturmaximum", maximumProblem);
    const auto minima =
        MonthUnits(station.MinimumTemperature, 2, "Temperaturminimum", minimumProblem);
    if (maxima && minima) {
        for (int month = 0; month < TDiagramData::MonthCount; ++month)
            values.Temperatures[month] = RoundedTenths((*maxima)[month] + (*minima)[month], 20);
        values.Changes.push_back("Temperatur aus Maximum und Minimum gemittelt");
        return;
    }
    // Where the file has no means but extremes, what they lack is the reason.
    const bool extremesOnly =
        !station.MeanTemperature.Present &&
        (station.MaximumTemperature.Present || station.MinimumTemperature.Present);
    if (!extremesOnly)
        values.Problems.push_back(meanProblem);
    else
        values.Problems.push_back(maxima ? minimumProblem : maximumProblem);
}

TDiagramData::TCoords Coords(const TAngle& latitude, const TAngle& longitude) {
    const auto whole = [](std::int64_t value) {
        return Math::Whole(static_cast<long>(std::min<std::int64_t>(value, 1'000'000'000)));
    };
    return TDiagramData::TCoords(whole(latitude.Minutes / 60), whole(latitude.Minutes % 60),
                                 whole(longitude.Minutes / 60), whole(longitude.Minutes % 60),
                                 latitude.Positive, !longitude.Positive);
}

} // namespace

TWmoRecords::TWmoRecords(ConverterLog& log, std::set<std::string> skippedNumbers)
    : Log(log), SkippedNumbers(std::move(skippedNumbers)) {
}

std::string TWmoRecords::Number(std::string_view written) {
    const bool digits = !written.empty() && std::all_of(written.begin(), written.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
    const std::size_t first = written.find_first_not_of('0');
    if (!digits || first == std::string_view::npos ||
        written.find_first_not_of('9') == std::string_view::npos)
        return {};
    const std::string_view significant = written.substr(first);
    return std::string(significant.size() < 5 ? 5 - significant.size() : 0, '0') +
           std::string(significant);
}

void TWmoRecords::Take(const TWmoStation& station) {
    const std::string stationPart = ReadableNames::StationPart(station.Name);
    if (stationPart.empty()) {
        Log.Error(station.Origin + ": Stationsname fehlt");
        return;
    }
    const std::string country =
        station.Country.empty() ? std::string() : CountryNames::German(station.Country);
    const std::string name = stationPart + (country.empty() ? "" : "/" + country);
    const std::string number = Number(station.Number);
    if (!number.empty() && SkippedNumbers.contains(number)) {
        Log.Message("Station " + name + " (WMO " + number + ") ausgelassen");
        return;
    }
    if (station.LostCharacters) {
        Log.Error(StationNames::LostCharactersError(name));
        return;
    }

    TStationValues values;
    if (name.size() > LongestName)
        values.Problems.push_back("Name länger als 255 Zeichen"_cp1252);
    ReadPosition(station, values);
    ReadMonths(station, values);
    if (!values.Problems.empty()) {
        Log.Error("Station " + name + ": " + Joined(values.Problems));
        return;
    }

    const std::string unique = UniqueName(stationPart, country, number);
    if (unique != name)
        values.Changes.push_back("umbenannt, denn " + name + " gibt es schon");
    TDiagramData record;
    try {
        record.SetPlace(TDiagramData::TPlace(unique));
        record.SetCoords(Coords(*values.Latitude, *values.Longitude));
        record.SetAltitude(
            TDiagramData::TAltitude(Math::Whole(static_cast<long>(values.Altitude))));
        record.SetTemperatures(TDiagramData::TTemperatureData(values.Temperatures));
        record.SetPrecipitation(TDiagramData::TPrecipitationData(values.Precipitation));
    } catch (const TDiagramData::TXBase& error) {
        Log.Error("Station " + name + ": " + error.what());
        return;
    }
    Names.insert(unique);
    Taken.push_back(std::move(record));
    if (values.Changes.empty())
        Log.Accepted();
    else
        Log.Warning("Station " + unique + ": " + Joined(values.Changes));
}

std::string TWmoRecords::UniqueName(const std::string& station, const std::string& country,
                                    const std::string& number) const {
    const auto named = [&](const std::string& addition) {
        return station + addition + (country.empty() ? "" : "/" + country);
    };
    std::string name = named("");
    if (!Names.contains(name))
        return name;
    if (!number.empty() && !Names.contains(name = named(" (" + number + ")")))
        return name;
    for (int count = 2;; ++count)
        if (!Names.contains(name = named(" (" + std::to_string(count) + ")")))
            return name;
}
