#include "convert/old_tvx_db_converters.h"

#include "convert/code_page_850.h"
#include "convert/converter_manager.h"
#include "convert/file_names.h"
#include "convert/station_names.h"
#include "database/database_mgr.h"
#include "database/safe_file.h"
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

bool IsOldDatabase(const std::string& fileName, std::initializer_list<std::string_view> names) {
    try {
        TDatabaseMgr::ReadOnly(fileName);
        return false; // a current database, which these filters never claim
    } catch (const std::exception&) {
    }
    const std::string baseName = FileNames::BaseName(fileName);
    return std::any_of(names.begin(), names.end(), [&baseName](std::string_view name) {
        return FileNames::EqualIgnoringCase(baseName, name);
    });
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

std::vector<TDiagramData> ImportRecords(const std::string& fileName, ConverterLog& log,
                                        const TRecordLayout& layout) {
    const SafeFile::TContents file = SafeFile::ReadAll(fileName);
    std::vector<TDiagramData> records;
    const std::string_view bytes = file.Bytes;
    // A trailing part of a record is left unread.
    for (std::size_t offset = 0; bytes.size() - offset >= layout.RecordSize;
         offset += layout.RecordSize) {
        const std::string_view recordBytes = bytes.substr(offset, layout.RecordSize);
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
    return records;
}

void RefuseExport(ConverterLog& log) {
    log.Message("Export nicht möglich."_cp1252);
}

} // namespace

bool OldTvxDBVer1Converter::CanImport(const std::string& fileName) const {
    return IsOldDatabase(fileName, {"PELVANOR", "VENOX2"});
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
    return IsOldDatabase(fileName, {"TVX"});
}

std::vector<TDiagramData> OldTvxDBVer2Converter::Import(const std::string& fileName,
                                                        ConverterLog& log) const {
    return ImportRecords(fileName, log, Ver2Layout);
}

void OldTvxDBVer2Converter::Export(const std::string&, ConverterLog& log,
                                   const std::vector<TDiagramData>&) const {
    RefuseExport(log);
}
