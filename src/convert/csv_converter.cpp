#include "convert/csv_converter.h"

#include "convert/converter_manager.h"
#include "convert/export_file.h"
#include "convert/field_values.h"
#include "convert/file_names.h"
#include "convert/station_names.h"
#include "convert/text_lines.h"
#include "database/safe_file.h"

#include <algorithm>
#include <utility>

namespace {

const ConverterRegistration<CSVConverter> Registration;

using TRecord = TDiagramData;
using Accessor = CSVConverter::Accessor;

// The text before each ";" of the text with one ";" appended; empty fields included.
void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t start = 0;
    for (std::size_t semicolon; (semicolon = line.find(';', start)) != std::string_view::npos;
         start = semicolon + 1)
        fields.push_back(line.substr(start, semicolon - start));
    fields.push_back(line.substr(start));
}

// Setters change a copy of one component and store it back, so that a refused value leaves
// the record as it was.
template <typename Component, typename Change>
void ChangeComponent(TRecord& record, const Component& current,
                     void (TRecord::*store)(const Component&), Change change) {
    Component component = current;
    change(component);
    (record.*store)(component);
}

std::string Name(const TRecord& r, char) {
    return r.Place().Name();
}
void SetName(TRecord& r, std::string_view text) {
    ChangeComponent(r, r.Place(), &TRecord::SetPlace,
                    [&](TRecord::TPlace& place) { place.SetName(FieldValues::Name(text)); });
}

// One of the four numbers of the position.
template <Math::Whole (TRecord::TCoords::*Get)() const, void (TRecord::TCoords::*Set)(Math::Whole)>
struct TCoordinate {
    static std::string Getter(const TRecord& r, char) { return (r.Coords().*Get)().Text(); }
    static void Setter(TRecord& r, std::string_view text) {
        ChangeComponent(r, r.Coords(), &TRecord::SetCoords,
                        [&](TRecord::TCoords& coords) { (coords.*Set)(FieldValues::Whole(text)); });
    }
};

std::string LatitudeDirection(const TRecord& r, char) {
    return r.Coords().IsNorth() ? "N" : "S";
}
void SetLatitudeDirection(TRecord& r, std::string_view text) {
    ChangeComponent(r, r.Coords(), &TRecord::SetCoords,
                    [&](TRecord::TCoords& coords) { coords.SetNorth(text == "N" || text == "n"); });
}

std::string LongitudeDirection(const TRecord& r, char) {
    return r.Coords().IsWest() ? "W" : "E";
}
void SetLongitudeDirection(TRecord& r, std::string_view text) {
    ChangeComponent(r, r.Coords(), &TRecord::SetCoords,
                    [&](TRecord::TCoords& coords) { coords.SetWest(text == "W" || text == "w"); });
}

std::string Altitude(const TRecord& r, char) {
    return r.Altitude().Value().Text();
}
void SetAltitude(TRecord& r, std::string_view text) {
    r.SetAltitude(TRecord::TAltitude(FieldValues::Whole(text)));
}

template <int Month>
struct TTemperature {
    static std::string Getter(const TRecord& r, char) { return r.Temperatures().MonthText(Month); }
    static void Setter(TRecord& r, std::string_view text) {
        ChangeComponent(
            r, r.Temperatures(), &TRecord::SetTemperatures,
            [&](TRecord::TTemperatureData& t) { t.SetMonth(Month, FieldValues::Tenths(text)); });
    }
};

template <int Month>
struct TPrecipitation {
    static std::string Getter(const TRecord& r, char) { return r.Precipitation().MonthText(Month); }
    static void Setter(TRecord& r, std::string_view text) {
        ChangeComponent(
            r, r.Precipitation(), &TRecord::SetPrecipitation,
            [&](TRecord::TPrecipitationData& p) { p.SetMonth(Month, FieldValues::Tenths(text)); });
    }
};

std::string TemperatureMean(const TRecord& r, char) {
    return r.Temperatures().MeanText();
}
std::string TemperatureMin(const TRecord& r, char) {
    return r.Temperatures().MinText();
}
std::string TemperatureMax(const TRecord& r, char) {
    return r.Temperatures().MaxText();
}
std::string PrecipitationTotal(const TRecord& r, char) {
    return r.Precipitation().TotalText();
}
std::string PrecipitationMin(const TRecord& r, char) {
    return r.Precipitation().MinText();
}
std::string PrecipitationMax(const TRecord& r, char) {
    return r.Precipitation().MaxText();
}

// The name as the export writes it, so that its import reads it back unchanged: no control
// characters, and "," for the ";" that would end the field.
std::string WritableName(const std::string& name) {
    std::string written = StationNames::WithoutControlCharacters(name);
    std::replace(written.begin(), written.end(), ';', ',');
    return written;
}

constexpr const char* MonthKeys[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

template <std::size_t... Months>
std::array<Accessor, 12> TemperatureAccessors(std::index_sequence<Months...>) {
    return {Accessor{&TTemperature<Months>::Getter, &TTemperature<Months>::Setter}...};
}

template <std::size_t... Months>
std::array<Accessor, 12> PrecipitationAccessors(std::index_sequence<Months...>) {
    return {Accessor{&TPrecipitation<Months>::Getter, &TPrecipitation<Months>::Setter}...};
}

} // namespace

CSVConverter::CSVConverter() {
    std::int32_t position = 0;
    // Adds a column: the name it is written under, then every name it is read under.
    const auto column = [&](Accessor accessor, std::string exportName,
                            std::initializer_list<std::string> importNames) {
        for (const std::string& name : importNames)
            ImportTable.emplace(name, accessor);
        ExportTable.emplace(ExportKey{std::move(exportName), position++}, accessor);
    };
    using TLatDegrees =
        TCoordinate<&TRecord::TCoords::LatitudeDegrees, &TRecord::TCoords::SetLatitudeDegrees>;
    using TLatMinutes =
        TCoordinate<&TRecord::TCoords::LatitudeMinutes, &TRecord::TCoords::SetLatitudeMinutes>;
    using TLongDegrees =
        TCoordinate<&TRecord::TCoords::LongitudeDegrees, &TRecord::TCoords::SetLongitudeDegrees>;
    using TLongMinutes =
        TCoordinate<&TRecord::TCoords::LongitudeMinutes, &TRecord::TCoords::SetLongitudeMinutes>;

    column({&Name, &SetName}, "Name", {"Name"});
    column({&TLatDegrees::Getter, &TLatDegrees::Setter}, "LatitudeDeg",
           {"BreiteGrad", "LatitudeDeg"});
    column({&TLatMinutes::Getter, &TLatMinutes::Setter}, "LatitudeMin",
           {"BreiteMin", "LatitudeMin"});
    column({&LatitudeDirection, &SetLatitudeDirection}, "LatitudeDir",
           {"BreiteRichtung", "LatitudeDir"});
    column({&TLongDegrees::Getter, &TLongDegrees::Setter}, "LongitudeDeg",
           {"LaengeGrad", "LongitudeDeg"});
    column({&TLongMinutes::Getter, &TLongMinutes::Setter}, "LongitudeMin",
           {"LaengeMin", "LongitudeMin"});
    column({&LongitudeDirection, &SetLongitudeDirection}, "LongitudeDir",
           {"LaengeRichtung", "LongitudeDir"});
    column({&Altitude, &SetAltitude}, "Altitude", {"Hoehe", "Altitude"});

    const auto temperatures = TemperatureAccessors(std::make_index_sequence<12>());
    for (int m = 0; m < 12; ++m)
        column(temperatures[m], std::string("Temp") + MonthKeys[m],
               {"T" + std::to_string(m + 1), std::string("Temp") + MonthKeys[m]});
    column({&TemperatureMean, nullptr}, "TempAvg", {"TAvg", "TempAvg"});
    column({&TemperatureMin, nullptr}, "TempMin", {"TMin", "TempMin"});
    column({&TemperatureMax, nullptr}, "TempMax", {"TMax", "TempMax"});

    const auto precipitation = PrecipitationAccessors(std::make_index_sequence<12>());
    for (int m = 0; m < 12; ++m)
        column(precipitation[m], std::string("Prec") + MonthKeys[m],
               {"N" + std::to_string(m + 1), "P" + std::to_string(m + 1),
                std::string("Prec") + MonthKeys[m]});
    column({&PrecipitationTotal, nullptr}, "PrecTotal", {"NTotal", "PTotal", "PrecTotal"});
    column({&PrecipitationMin, nullptr}, "PrecMin", {"NMin", "PMin", "PrecMin"});
    column({&PrecipitationMax, nullptr}, "PrecMax", {"NMax", "PMax", "PrecMax"});
}

bool CSVConverter::CanImport(const std::string& fileName) const {
    return FileNames::EqualIgnoringCase(FileNames::Extension(fileName), ".csv");
}

void CSVConverter::Export(const std::string& fileName, ConverterLog& log,
                          const std::vector<TDiagramData>& records) const {
    const auto line = [this](auto&& fieldOf) {
        std::string text;
        for (const auto& [key, accessor] : ExportTable)
            text += fieldOf(key, accessor) + ';';
        text.back() = '\r';
        return text + '\n';
    };
    std::string content = line([](const ExportKey& key, const Accessor&) { return key.Name; });
    std::vector<std::string> writtenNames;
    for (const TDiagramData& record : records) {
        writtenNames.push_back(WritableName(record.Place().Name()));
        content += line([&](const ExportKey&, const Accessor& accessor) {
            return accessor.Getter == &Name ? writtenNames.back() : accessor.Getter(record, ';');
        });
    }

    if (ExportFile::Write(fileName, content, log))
        for (std::size_t i = 0; i < records.size(); ++i)
            StationNames::ReportTaken(log, records[i].Place().Name(), writtenNames[i]);
}

std::vector<TDiagramData> CSVConverter::Import(const std::string& fileName,
                                               ConverterLog& log) const {
    return TInputFile::ImportStations(fileName, log,
                                      [&](TInputFile& file, std::vector<TDiagramData>& records) {
                                          TTextLines lines(file);
                                          ReadStations(lines, log, records);
                                      });
}

void CSVConverter::ReadStations(TTextLines& lines, ConverterLog& log,
                                std::vector<TDiagramData>& records) const {
    std::string line;
    if (!lines.Next(line))
        return;
    if (lines.LastLineTooLong()) {
        log.Error(lines.TooLongError());
        return;
    }
    if (line.empty())
        return;

    // Each column's name and setter, looked up once; null for columns that are not read.
    std::vector<std::string_view> fields;
    SplitFields(line, fields);
    const std::vector<std::string> names(fields.begin(), fields.end());
    std::vector<const Accessor*> columns;
    bool anyKnown = false;
    for (const std::string& name : names) {
        const auto found = ImportTable.find(name);
        anyKnown = anyKnown || found != ImportTable.end();
        columns.push_back(found != ImportTable.end() && found->second.Setter ? &found->second
                                                                             : nullptr);
    }
    // Without a single known column the file is something else; nothing is read from it.
    if (!anyKnown) {
        log.Error("Kopfzeile ohne bekannte Spalte");
        return;
    }

    while (lines.Next(line)) {
        if (lines.LastLineTooLong()) {
            log.Error(lines.TooLongError());
            continue;
        }
        if (line.empty())
            continue;
        SplitFields(line, fields);
        TDiagramData record;
        std::size_t column = 0;
        try {
            for (; column < std::min(fields.size(), columns.size()); ++column)
                if (columns[column])
                    columns[column]->Setter(record, fields[column]);
            // A record without a name, say, would break the database it goes into.
            record.Validate();
        } catch (const TDiagramData::TXBase& error) {
            log.Error("Station " + record.Place().Name() + ": " + error.what());
            continue;
        } catch (const FieldValues::TXInvalidField& error) {
            log.Error("Station " + record.Place().Name() + ": Spalte " + names[column] + ": " +
                      error.what());
            continue;
        }
        if (lines.LastLineLostCharacters()) {
            log.Error(StationNames::LostCharactersError(record.Place().Name()));
            continue;
        }
        records.push_back(std::move(record));
        log.Accepted();
    }
}
