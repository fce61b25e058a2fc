#include "convert/table_converter.h"

#include "convert/converter_manager.h"
#include "convert/export_file.h"
#include "convert/file_names.h"
#include "convert/station_names.h"
#include "convert/text_lines.h"
#include "database/safe_file.h"

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

template <typename Series>
Series WithMonth(Series series, int month, const std::string& text) {
    series.SetMonth(month, Math::Tenths::FromText(text));
    return series;
}

// Applies line number `line` (1 to 27) of a station block to the record.
void ApplyLine(TDiagramData& record, int line, const std::string& text) {
    if (line == 1) {
        record.SetPlace(TDiagramData::TPlace(text));
    } else if (line == 2) {
        record.SetCoords(TableConverter::ReadCoords(text));
    } else if (line == 3) {
        record.SetAltitude(TDiagramData::TAltitude(Math::Whole::FromText(text)));
    } else if (line <= 15) {
        record.SetTemperatures(WithMonth(record.Temperatures(), line - 4, text));
    } else {
        record.SetPrecipitation(WithMonth(record.Precipitation(), line - 16, text));
    }
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
    const Math::Whole latitudeMinutes = Minutes(in);
    const char northOrSouth = in.Character();
    in.Character();
    const Math::Whole longitudeDegrees = in.Number();
    in.Character();
    const Math::Whole longitudeMinutes = Minutes(in);
    const char westOrEast = in.Character();
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
    const SafeFile::TContents file = SafeFile::ReadAll(fileName);
    TTextLines lines(file.Bytes);
    std::vector<TDiagramData> records;
    std::string line;
    for (;;) {
        // Empty lines between the blocks are passed over.
        bool found = false;
        while (!found && lines.Next(line))
            found = !line.empty();
        if (!found)
            break;
        TDiagramData record;
        ApplyLine(record, 1, line);
        bool lostCharacters = lines.LastLineLostCharacters();
        // An empty line ends a block early; the end of the file inside it drops the record.
        bool cutOff = false;
        for (int number = 2; number <= LinesPerStation; ++number) {
            if (!lines.Next(line)) {
                cutOff = true;
                break;
            }
            if (line.empty())
                break;
            lostCharacters = lostCharacters || lines.LastLineLostCharacters();
            ApplyLine(record, number, line);
        }
        if (cutOff) {
            log.Error(record.Place().Name() + ": Speichervorgang fehlgeschlagen");
            continue;
        }
        if (lostCharacters) {
            log.Error(StationNames::LostCharactersError(record.Place().Name()));
            continue;
        }
        records.push_back(std::move(record));
        log.Accepted();
    }
    return records;
}
