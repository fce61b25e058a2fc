#include "convert/wmo_normals_converter.h"

#include "convert/converter_manager.h"
#include "convert/file_names.h"
#include "convert/wmo_composite.h"
#include "convert/wmo_records.h"
#include "convert/wmo_sheet.h"
#include "database/safe_file.h"
#include "model/windows1252.h"

#include <filesystem>

using namespace Windows1252::Literals;

namespace {

const ConverterRegistration<WmoNormalsConverter> Registration;

// Far more than the composite file of every station of the world; what is larger is no such file.
constexpr std::size_t LargestFile = 64 * 1024 * 1024;
// The first line of any file of the normals lies in its start.
constexpr std::size_t ProbedBytes = 64 * 1024;

// The whole file, or nothing after an error line that says why.
std::optional<std::string> Contents(const std::string& fileName, ConverterLog& log) {
    SafeFile::TContents file = SafeFile::ReadAll(fileName, LargestFile + 1);
    if (file.Status != SafeFile::TReadStatus::Read) {
        log.Error("Datei kann nicht gelesen werden: " + SafeFile::Describe(fileName, file.Error));
        return std::nullopt;
    }
    if (file.Bytes.size() > LargestFile) {
        log.Error("Datei " + FileNames::Shown(fileName) +
                  " ist zu groß für Klimanormalwerte"_cp1252);
        return std::nullopt;
    }
    return std::move(file.Bytes);
}

void ReadCompositeSet(const std::vector<std::string>& files, TWmoRecords& records,
                      ConverterLog& log) {
    WmoComposite::TJoin join;
    for (const std::string& file : files) {
        std::error_code error;
        if (!std::filesystem::exists(file, error)) {
            log.Message("Datei " + FileNames::Shown(file) + " fehlt");
            continue;
        }
        const std::optional<std::string> bytes = Contents(file, log);
        if (!bytes)
            continue;
        TWmoText text(*bytes);
        if (!join.Add(text, file))
            log.Error("Datei " + FileNames::Shown(file) +
                      " ist keine Sammeldatei der Klimanormalwerte");
    }
    for (const TWmoStation& station : join.Stations())
        records.Take(station);
}

// The same set of composite files however its files are named on the command line.
std::string SetKey(const std::vector<std::string>& files) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::weakly_canonical(files.front(), error);
    return error ? files.front() : path.string();
}

} // namespace

bool WmoNormalsConverter::CanImport(const std::string& fileName) const {
    const SafeFile::TContents file = SafeFile::ReadAll(fileName, ProbedBytes);
    if (file.Status != SafeFile::TReadStatus::Read)
        return false;
    TWmoText text(file.Bytes);
    std::vector<std::string_view> firstRow;
    const std::string_view firstLine =
        std::string_view(file.Bytes).substr(0, std::string_view(file.Bytes).find_first_of("\r\n"));
    return firstLine.find(';') == std::string_view::npos && text.NextRow(firstRow) &&
           (WmoSheet::IsTitle(firstRow) || WmoComposite::IsHeader(firstRow));
}

std::vector<TDiagramData> WmoNormalsConverter::Import(const std::string& fileName,
                                                      ConverterLog& log) const {
    return ImportFiles({fileName}, log);
}

std::vector<TDiagramData>
WmoNormalsConverter::ImportFiles(const std::vector<std::string>& fileNames,
                                 ConverterLog& log) const {
    return ImportFilesWithout(fileNames, log, {});
}

std::vector<TDiagramData>
WmoNormalsConverter::ImportFilesWithout(const std::vector<std::string>& fileNames,
                                        ConverterLog& log,
                                        std::set<std::string> skippedNumbers) const {
    TWmoRecords records(log, std::move(skippedNumbers));
    std::set<std::string> setsRead;
    for (const std::string& fileName : fileNames) {
        const std::optional<std::string> bytes = Contents(fileName, log);
        if (!bytes)
            continue;
        TWmoText probe(*bytes);
        std::vector<std::string_view> firstRow;
        probe.NextRow(firstRow);
        if (WmoComposite::IsHeader(firstRow)) {
            const std::vector<std::string> set = WmoComposite::FilesOfSet(fileName);
            if (setsRead.insert(SetKey(set)).second)
                ReadCompositeSet(set, records, log);
        } else if (WmoSheet::IsTitle(firstRow)) {
            TWmoText text(*bytes);
            records.Take(WmoSheet::Read(text, "Datei " + FileNames::Shown(fileName)));
        } else {
            log.Error("Datei " + FileNames::Shown(fileName) +
                      " ist kein Datenblatt der Klimanormalwerte");
        }
    }
    return std::move(records.Records());
}

void WmoNormalsConverter::Export(const std::string&, ConverterLog& log,
                                 const std::vector<TDiagramData>&) const {
    log.Message("Export nicht möglich."_cp1252);
}
