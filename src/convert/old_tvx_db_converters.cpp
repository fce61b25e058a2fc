#include "convert/old_tvx_db_converters.h"

#include "convert/code_page_850.h"
#include "convert/converter_manager.h"
#include "convert/file_names.h"
#include "convert/input_file.h"
#include "convert/station_names.h"
#include "database/database_mgr.h"
#include "database/object_stream_reader.h"
#include "kestrel/real_img.h"
#include "model/windows1252.h"

#include <algorithm>
#include <initializer_list>

using namespace Windows1252::Literals;

namespace {

const ConverterRegistration<OldTvxDBVer1Converter> Ver1Registration;
const ConverterRegistration<OldTvxDBVer2Converter> Ver2Registration;

// Where the fields of a record lie; the first generation has no minutes.
struct TRecordLayout {
    std::size_t RecordSize;
    bool HasMinutes;
    std::size_t TemperatureOffset;
    std::size_t PrecipitationOffset;
};

constexpr TRecordLayout Ver1Layout{147, false, 43, 121};
constexpr TRecordLayout Ver2Layout{153, true, 49, 127};

// Whether the file begins as the program's own database does, in any stream version.
bool BeginsWithDatabaseSignature(std::string_view head) {
    TObjectReader in(head);
    return in.ReadCString() == TDatabaseMgr::Signature;
}

// Whether the first record's length bytes fit the layout: a name of 1 to 27 characters, and
// none of the other short strings longer than its room.
bool FirstRecordFits(std::string_view record, const TRecordLayout& layout) {
    const auto length = [&](std::size_t offset) {
        return static_cast<unsigned char>(record[offset]);
    };
    const bool textsFit =
        length(0) >= 1 && length(0) <= 27 && length(28) <= 4 && length(33) <= 4 && length(38) <= 4;
    return textsFit && (!layout.HasMinutes || (length(43) <= 2 && length(46) <= 2));
}

// These files carry no signature: besides its name, a file must be a whole number of records
// whose first one looks like one, and no current database (a cut-off copy of one included).
bool IsOldDatabase(const std::string& fileName, std::initializer_list<std::string_view> names,
                   const TRecordLayout& layout) {
    const std::string baseName = FileNames::BaseName(fileName);
    const bool named = std::any_of(names.begin(), names.end(), [&baseName](std::string_view name) {
        return FileNames::EqualIgnoringCase(baseName, name);
    });
    if (!named)
        return false;
    TInputFile file(fileName);
    if (file.Size() == 0 || file.Size() % layout.RecordSize != 0)
        return false;
    std::string head(layout.RecordSize, '\0');
    return file.Read(head.data(), head.size()) == head.size() &&
           !BeginsWithDatabaseSignature(head) && FirstRecordFits(head, layout);
}

// A length byte and `capacity` characters, of which the length says how many count.
std::string ShortString(std::string_view record, std::size_t offset, std::size_t capacity) {
    const std::size_t length =
        std::min<std::size_t>(static_cast<unsigned char>(record[offset]), capacity);
    return std::string(record.substr(offset + 1, length));
}

// North (west) unless the first hemisphere letter of the text says south (east).
bool FirstLetterIs(const std::string& text, char positive, char negative) {
    const auto upper = [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    };
    const auto letter = std::find_if(text.begin(), text.end(), [&](char c) {
        return upper(c) == positive || upper(c) == negative;
    });
    return letter == text.end() || upper(*letter) == positive;
}

// Names may not hold the characters that searching gives a meaning to, nor control characters.
std::string CleanedName(std::string name) {
    name = StationNames::WithoutControlCharacters(std::move(name));
    for (char& c : name) {
        if (c == '[')
            c = '(';
        else if (c == ']')
            c = ')';
        else if (std::string_view("^*?+$").find(c) != std::string_view::npos)
            c = ' ';
    }
    return name;
}

TDiagramData ReadRecord(std::string_view bytes, const TRecordLayout& layout,
                        const std::string& cleanedName) {
    TDiagramData record;
    record.SetPlace(TDiagramData::TPlace(cleanedName));

    const std::string longitude = ShortString(bytes, 28, 4);
    const std::string latitude = ShortString(bytes, 33, 4);
    const std::string longitudeMinutes = layout.HasMinutes ? ShortString(bytes, 43, 2) : "0";
    const std::string latitudeMinutes = layout.HasMinutes ? ShortString(bytes, 46, 2) : "0";
    record.SetCoords({Math::Whole::FromText(latitude), Math::Whole::FromText(latitudeMinutes),
                      Math::Whole::FromText(longitude), Math::Whole::FromText(longitudeMinutes),
                      FirstLetterIs(latitude, 'N', 'S'), FirstLetterIs(longitude, 'W', 'E')});
    record.SetAltitude(TDiagramData::TAltitude(Math::Whole::FromText(ShortString(bytes, 38, 4))));

    TDiagramData::TMonthValues temperatures{};
    TDiagramData::TMonthValues precipitation{};
    for (std::size_t month = 0; month < 12; ++month) {
        Math::TRealImg image{};
        std::copy_n(bytes.data() + layout.TemperatureOffset + 6 * month, 6, image.Bytes);
        temperatures[month] = Math::Tenths::FromDouble(static_cast<double>(Math::ToDouble(image)));
        const std::size_t at = layout.PrecipitationOffset + 2 * month;
        const auto millimetres = static_cast<std::int16_t>(
            static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
        precipitation[month] = Math::Tenths(millimetres);
    }
    record.SetTemperatures(TDiagramData::TTemperatureData(temperatures));
    record.SetPrecipitation(TDiagramData::TPrecipitationData(precipitation));
    return record;
}

// Record after record; a trailing part of a record is left unread.
std::vector<TDiagramData> ImportRecords(const std::string& fileName, ConverterLog& log,
                                        const TRecordLayout& layout) {
    return TInputFile::ImportStations(
        fileName, log, [&](TInputFile& file, std::vector<TDiagramData>& records) {
            std::string recordBytes(layout.RecordSize, '\0');
            while (file.Read(recordBytes.data(), recordBytes.size()) == recordBytes.size()) {
                const std::string storedName = Cp850ToWindows1252(ShortString(recordBytes, 0, 27));
                const std::string cleanedName = CleanedName(storedName);
                try {
                    records.push_back(ReadRecord(recordBytes, layout, cleanedName));
                } catch (const TDiagramData::TXBase& error) {
                    log.Error("Station " + storedName + ": " + error.what());
                    continue;
                }
                StationNames::ReportTaken(log, storedName, cleanedName);
            }
        });
}

void RefuseExport(ConverterLog& log) {
    log.Message("Export nicht möglich."_cp1252);
}

} // namespace

bool OldTvxDBVer1Converter::CanImport(const std::string& fileName) const {
    return IsOldDatabase(fileName, {"PELVANOR", "VENOX2"}, Ver1Layout);
}

std::vector<TDiagramData> OldTvxDBVer1Converter::Import(const std::string& fileName,
                                                        ConverterLog& log) const {
    return ImportRecords(fileName, log, Ver1Layout);
}

void OldTvxDBVer1Converter::Export(const std::string&, ConverterLog& log,
                                   const std::vector<TDiagramData>&) const {
    RefuseExport(log);
}

bool OldTvxDBVer2Converter::CanImport(const std::string& fileName) const {
    return IsOldDatabase(fileName, {"TVX"}, Ver2Layout);
}

std::vector<TDiagramData> OldTvxDBVer2Converter::Import(const std::string& fileName,
                                                        ConverterLog& log) const {
    return ImportRecords(fileName, log, Ver2Layout);
}

void OldTvxDBVer2Converter::Export(const std::string&, ConverterLog& log,
                                   const std::vector<TDiagramData>&) const {
    RefuseExport(log);
}
