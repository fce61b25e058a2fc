#include "convert/table_converter.h"

#include "convert/converter_manager.h"
#include "convert/export_file.h"
#include "convert/field_values.h"
#include "convert/file_names.h"
#include "convert/station_names.h"
#include "convert/text_lines.h"
#include "database/safe_file.h"
#include "model/windows1252.h"

#include <optional>

using namespace Windows1252::Literals;

namespace {

const ConverterRegistration<TableConverter> Registration;

// Extraction from one line of text, failing like a stream: once a read fails, the following
// reads fail too until the failure is cleared.
class TLineExtractor {
public:
    explicit TLineExtractor(std::string_view text) : Text(text) {}

    // A whole number after blanks; fails, taking nothing, when no digit follows.
    Math::Whole Number() {
        SkipBlanks();
        std::size_t end = Position;
        if (end < Text.size() && (Text[end] == '-' || Text[end] == '+'))
            ++end;
        const std::size_t digits = end;
        while (end < Text.size() && Text[end] >= '0' && Text[end] <= '9')
            ++end;
        if (Failed || end == digits) {
            Failed = true;
            return 0;
        }
        const auto number = Math::Whole::FromText(Text.substr(Position, end - Position));
        Position = end;
        return number;
    }

    // One character after blanks; '\0' on failure.
    char Character() {
        SkipBlanks();
        if (Failed || Position >= Text.size()) {
            Failed = true;
            return '\0';
        }
        return Text[Position++];
    }

    bool Good() const { return !Failed; }
    void Clear() { Failed = false; }
    // Whether nothing but blanks is left, and nothing failed.
    bool AtEnd() {
        SkipBlanks();
        return !Failed && Position == Text.size();
    }

private:
    void SkipBlanks() {
        while (!Failed && Position < Text.size() &&
               (Text[Position] == ' ' || (Text[Position] >= '\t' && Text[Position] <= '\r')))
            ++Position;
    }

    std::string_view Text;
    std::size_t Position = 0;
    bool Failed = false;
};

// Minutes, then their apostrophe; positions without minutes go straight on to the letter.
Math::Whole Minutes(TLineExtractor& in) {
    const Math::Whole minutes = in.Number();
    if (!in.Good()) {
        in.Clear();
        return 0;
    }
    in.Character();
    return minutes;
}

bool IsOneOf(char c, std::string_view letters) {
    return letters.find(c) != std::string_view::npos;
}

template <typename Series>
Series WithMonth(Series series, int month, const std::string& text) {
    series.SetMonth(month, FieldValues::Tenths(text));
    return series;
}

// What line `number` (1 to 27) of a station block holds, as an error names it.
std::string LineMeaning(int number) {
    if (number == 1)
        return "Name";
    if (number == 2)
        return "Koordinaten";
    if (number == 3)
        return "Höhe"_cp1252;
    if (number <= 15)
        return std::string("Temperatur ") + TDiagramData::MonthName(number - 4);
    return std::string("Niederschlag ") + TDiagramData::MonthName(number - 16);
}

// Applies line `number` (1 to 27) of a station block to the record.
void ApplyLine(TDiagramData& record, int number, const std::string& text) {
    if (number == 1) {
        record.SetPlace(TDiagramData::TPlace(FieldValues::Name(text)));
    } else if (number == 2) {
        record.SetCoords(TableConverter::ReadCoords(text));
    } else if (number == 3) {
        record.SetAltitude(TDiagramData::TAltitude(FieldValues::Whole(text)));
    } else if (number <= 15) {
        record.SetTemperatures(WithMonth(record.Temperatures(), number - 4, text));
    } else {
        record.SetPrecipitation(WithMonth(record.Precipitation(), number - 16, text));
    }
}

// The lines of one station's block as the file holds them.
struct TBlock {
    std::vector<std::string> Lines;
    std::size_t FirstLineNumber = 0;
    // The file ended inside the block.
    bool CutOff = false;
    bool LostCharacters = false;
    std::optional<std::string> TooLongError;
};

// The next block, after the empty lines before it: 27 lines, or fewer where an empty line or
// the end of the file ends it. Nothing when no block is left.
std::optional<TBlock> ReadBlock(TTextLines& lines) {
    std::string line;
    bool found = false;
    while (!found && lines.Next(line))
        found = !line.empty();
    if (!found)
        return std::nullopt;
    TBlock block;
    block.FirstLineNumber = lines.LineNumber();
    for (;;) {
        block.LostCharacters = block.LostCharacters || lines.LastLineLostCharacters();
        if (lines.LastLineTooLong() && !block.TooLongError)
            block.TooLongError = lines.TooLongError();
        block.Lines.push_back(std::move(line));
        if (block.Lines.size() == TableConverter::LinesPerStation)
            return block;
        if (!lines.Next(line)) {
            block.CutOff = true;
            return block;
        }
        if (line.empty())
            return block;
    }
}

// The block's station, or the one error that drops it. A value the record refuses ends the
// whole import with the record's exception.
std::optional<TDiagramData> StationOf(const TBlock& block, ConverterLog& log) {
    if (block.TooLongError) {
        log.Error(*block.TooLongError);
        return std::nullopt;
    }
    TDiagramData record;
    for (int number = 1; number <= static_cast<int>(block.Lines.size()); ++number) {
        try {
            ApplyLine(record, number, block.Lines[static_cast<std::size_t>(number - 1)]);
        } catch (const FieldValues::TXInvalidField& error) {
            log.Error("Station " + record.Place().Name() + ": Zeile " +
                      std::to_string(block.FirstLineNumber + static_cast<std::size_t>(number) - 1) +
                      " (" + LineMeaning(number) + "): " + error.what());
            return std::nullopt;
        }
    }
    if (block.CutOff) {
        log.Error(record.Place().Name() + ": Speichervorgang fehlgeschlagen");
        return std::nullopt;
    }
    if (block.LostCharacters) {
        log.Error(StationNames::LostCharactersError(record.Place().Name()));
        return std::nullopt;
    }
    return record;
}

std::string Block(const TDiagramData& record, const std::string& writtenName) {
    std::string block = writtenName + "\r\n";
    block += record.Coords().Text() + "\r\n";
    block += record.Altitude().Value().Text() + "\r\n";
    for (const Math::Tenths value : record.Temperatures().Values())
        block += value.DisplayText() + "\r\n";
    for (const Math::Tenths value : record.Precipitation().Values())
        block += value.DisplayText() + "\r\n";
    return block + "\r\n";
}

} // namespace

TDiagramData::TCoords TableConverter::ReadCoords(std::string_view line) {
    TLineExtractor in(line);
    const Math::Whole latitudeDegrees = in.Number();
    in.Character();
    bool numbersFound = in.Good();
    const Math::Whole latitudeMinutes = Minutes(in);
    const char northOrSouth = in.Character();
    in.Character();
    const Math::Whole longitudeDegrees = in.Number();
    in.Character();
    numbersFound = numbersFound && in.Good();
    const Math::Whole longitudeMinutes = Minutes(in);
    const char westOrEast = in.Character();
    if (!numbersFound || !IsOneOf(northOrSouth, "NnSs") || !IsOneOf(westOrEast, "WwEe") ||
        !in.AtEnd())
        throw FieldValues::TXInvalidField(FieldValues::Quoted(line) + " ist keine Position");
    return TDiagramData::TCoords(latitudeDegrees, latitudeMinutes, longitudeDegrees,
                                 longitudeMinutes, northOrSouth == 'N' || northOrSouth == 'n',
                                 westOrEast == 'W' || westOrEast == 'w');
}

bool TableConverter::CanImport(const std::string& fileName) const {
    return FileNames::EqualIgnoringCase(FileNames::Extension(fileName), ".tab");
}

void TableConverter::Export(const std::string& fileName, ConverterLog& log,
                            const std::vector<TDiagramData>& records) const {
    std::string content;
    std::vector<std::string> writtenNames;
    for (const TDiagramData& record : records) {
        // A line end inside the name would split the station's block.
        writtenNames.push_back(StationNames::WithoutControlCharacters(record.Place().Name()));
        content += Block(record, writtenNames.back());
    }
    if (ExportFile::Write(fileName, content, log))
        for (std::size_t i = 0; i < records.size(); ++i)
            StationNames::ReportTaken(log, records[i].Place().Name(), writtenNames[i]);
}

std::vector<TDiagramData> TableConverter::Import(const std::string& fileName,
                                                 ConverterLog& log) const {
    return TInputFile::ImportStations(
        fileName, log, [&](TInputFile& file, std::vector<TDiagramData>& records) {
            TTextLines lines(file);
            while (const std::optional<TBlock> block = ReadBlock(lines)) {
                if (std::optional<TDiagramData> record = StationOf(*block, log)) {
                    records.push_back(std::move(*record));
                    log.Accepted();
                }
            }
        });
}
