#include "convert/wmo_sheet.h"

#include "model/windows1252.h"

#include <algorithm>
#include <array>

using namespace Windows1252::Literals;

namespace WmoSheet {
namespace {

bool IsCode(std::string_view field) {
    return !field.empty() && field.size() < 4 &&
           std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The fields after the label, joined as the source meant them: an unquoted comma in a name
// ("Tölz, Bad") splits it.
std::string ValueAfterLabel(const std::vector<std::string_view>& row) {
    std::string value;
    for (std::size_t i = 1; i < row.size(); ++i)
        if (!row[i].empty())
            value += (value.empty() ? "" : ", ") + std::string(row[i]);
    return value;
}

// Where January stands in the header of the value rows: its column, or the fifth column after
// the number, code, calculation name and code where no month is named.
std::size_t JanuaryColumn(const std::vector<std::string_view>& header) {
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string key = LabelKey(header[i]);
        if (key == "january" || key == "jan")
            return i;
    }
    return 4;
}

struct TSheetReader {
    explicit TSheetReader(TWmoText& source) : Source(source) {}

    TWmoText& Source;
    TWmoStation Station;
    bool HeaderValuesNext = false;
    std::array<std::size_t, 3> HeaderColumns{1, 2, 3};
    std::optional<std::size_t> January;

    void Row(const std::vector<std::string_view>& row) {
        const std::string label = LabelKey(row[0]);
        if (HeaderValuesNext) {
            HeaderValuesNext = false;
            Station.Number = row[0];
            const auto at = [&](std::size_t column) {
                return column < row.size() ? std::string(row[column]) : std::string();
            };
            Station.Latitude = at(HeaderColumns[0]);
            Station.Longitude = at(HeaderColumns[1]);
            Station.Altitude = at(HeaderColumns[2]);
        } else if (label.starts_with("countryname")) {
            // Once written "Country_Name AUSTRIA" without a comma.
            const std::size_t blank = row[0].find(' ');
            Station.Country =
                Text(row.size() > 1                    ? ValueAfterLabel(row)
                     : blank == std::string_view::npos ? std::string()
                                                       : std::string(row[0].substr(blank + 1)));
        } else if (label == "stationname") {
            Station.Name = Text(ValueAfterLabel(row));
        } else if (label == "wmonumber" && row.size() > 1 && LabelKey(row[1]) == "latitude") {
            HeaderValuesNext = true;
            for (std::size_t i = 1; i < row.size(); ++i) {
                const std::string key = LabelKey(row[i]);
                if (key == "latitude" || key == "longitude" || key == "stationheight")
                    HeaderColumns[key == "latitude" ? 0 : key == "longitude" ? 1 : 2] = i;
            }
        } else if (label == "wmonumber" && row.size() > 1 && LabelKey(row[1]) == "parametercode") {
            January = JanuaryColumn(row);
        } else if (January && row.size() > 4 && IsCode(row[1])) {
            Values(row);
        }
    }

    std::string Text(std::string_view field) {
        bool complete = true;
        std::string text = Source.Text(field, complete);
        Station.LostCharacters = Station.LostCharacters || !complete;
        return text;
    }

    // Of precipitation the sum counts, of temperatures the mean.
    TWmoStation::TSeries* SeriesOf(std::string_view code, std::string_view calculation) {
        TWmoStation::TSeries* series = Station.Parameter(code);
        const bool precipitation = series == &Station.Precipitation;
        return LabelKey(calculation) == (precipitation ? "sum" : "mean") ? series : nullptr;
    }

    // A row of monthly values: the first of its parameter counts. Beside the twelve months a
    // row may hold the year; a further value means the months are not where the header says.
    void Values(const std::vector<std::string_view>& row) {
        TWmoStation::TSeries* series = SeriesOf(row[1], row[2]);
        if (!series || series->Present)
            return;
        series->Present = true;
        for (std::size_t month = 0; month < series->Months.size(); ++month) {
            const std::size_t column = *January + month;
            series->Months[month] = column < row.size() ? std::string(row[column]) : std::string();
        }
        const std::size_t afterDecember = *January + series->Months.size();
        const auto extra =
            afterDecember < row.size()
                ? std::count_if(row.begin() + static_cast<std::ptrdiff_t>(afterDecember), row.end(),
                                [](std::string_view f) { return !f.empty(); })
                : 0;
        if (extra > 1)
            series->Problem = "mehr als zwölf Monatswerte und der Jahreswert"_cp1252;
        // Where the file ends in the middle of a row, its December may have lost digits.
        if (Source.RowCutOff() && extra == 0)
            series->Problem = "Zeile am Dateiende abgeschnitten";
    }
};

} // namespace

bool IsTitle(const std::vector<std::string_view>& firstRow) {
    if (firstRow.empty())
        return false;
    const std::string key = LabelKey(firstRow[0]);
    return key.find("climatenormals") != std::string::npos ||
           key.starts_with("singlestationdatasheet") || key == "stationheaderrecord";
}

TWmoStation Read(TWmoText& text, std::string origin) {
    TSheetReader reader(text);
    reader.Station.Origin = std::move(origin);
    std::vector<std::string_view> row;
    while (text.NextRow(row)) {
        while (!row.empty() && row.back().empty())
            row.pop_back();
        if (!row.empty())
            reader.Row(row);
    }
    return std::move(reader.Station);
}

} // namespace WmoSheet
