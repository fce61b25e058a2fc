#include "database/database_mgr.h"

#include "database/object_stream_reader.h"
#include "database/object_stream_writer.h"
#include "database/record_stream.h"
#include "database/safe_file.h"
#include "model/name_folding.h"
#include "model/windows1252.h"

using namespace Windows1252::Literals;

TDatabaseMgr::TXInvalidHeader::TXInvalidHeader() : TXBase("Ungültiger Datenbank-Header!"_cp1252) {
}

TDatabaseMgr::TXVersionNotSupported::TXVersionNotSupported()
    : TXBase("Nicht unterstützte Datenbank-Version!"_cp1252) {
}

TDatabaseMgr::TXCorruptData::TXCorruptData() : TXBase("Unbekannter Datenfehler") {
}

TDatabaseMgr::TXCorruptData::TXCorruptData(const TDiagramData::TXBase& cause)
    : TXBase(std::string("Datenfehler: ") + cause.what()), CauseMessage(cause.what()) {
}

TDatabaseMgr::TXInOut::TXInOut() : TXBase("Ein-/Ausgabe-Fehler") {
}

TDatabaseMgr::TDatabaseMgr(std::string fileName, bool saveOnDestruction, bool createNew)
    : DatabaseFile(std::move(fileName)), SaveOnDestruction(saveOnDestruction) {
    Load(true, createNew);
}

TDatabaseMgr::~TDatabaseMgr() {
    if (!DatabaseFile.empty() && SaveOnDestruction) {
        try {
            Save();
        } catch (const TXBase&) {
            // Nobody is left to tell; callers that need to know save before.
        }
    }
}

void TDatabaseMgr::Load(bool keepRecords, bool createNew) {
    if (DatabaseFile.empty())
        return;
    if (!keepRecords)
        Clear();
    if (!createNew) {
        const SafeFile::TContents file = SafeFile::ReadAll(DatabaseFile);
        if (file.Status == SafeFile::TReadStatus::Read)
            return ReadFile(file.Bytes);
        // A file that exists but cannot be read is never replaced by an empty one.
        if (file.Status == SafeFile::TReadStatus::Failed)
            throw TXInOut();
    }
    CreateEmptyFile();
}

std::unique_ptr<TDatabaseMgr> TDatabaseMgr::ReadOnly(const std::string& fileName) {
    auto database = std::make_unique<TDatabaseMgr>("", false, false);
    const SafeFile::TContents file = SafeFile::ReadAll(fileName);
    if (file.Status != SafeFile::TReadStatus::Read)
        throw TXInOut();
    database->ReadFile(file.Bytes);
    return database;
}

void TDatabaseMgr::ReadFile(const std::string& bytes) {
    TObjectReader in(bytes);
    if (in.ReadCString() != Signature)
        throw TXInvalidHeader();
    const std::int32_t version = in.ReadInt32();
    if (version > CurrentVersion)
        throw TXInvalidHeader();
    const std::uint32_t recordCount = in.ReadWord32();
    if (!in.Good())
        throw TXInOut();
    DbHeader = TDbHeader{version, recordCount};

    for (std::uint32_t read = 0; in.Good() && read < recordCount; ++read) {
        std::optional<TDiagramData> record;
        try {
            record = TDiagramData::Streamer::Read(in);
        } catch (const TDiagramData::TXBase& error) {
            throw TXCorruptData(error);
        }
        if (record)
            Records.Insert(Records.Count(), {FoldName(record->Place().Name()),
                                             std::make_unique<TDiagramData>(std::move(*record))});
    }
    if (!in.Good())
        throw TXCorruptData();
}

namespace {

void WriteHeader(TObjectWriter& out, std::int32_t version, std::uint32_t count) {
    out.WriteCString(TDatabaseMgr::Signature);
    out.WriteInt32(version);
    out.WriteWord32(count);
}

} // namespace

void TDatabaseMgr::CreateEmptyFile() {
    TObjectWriter out;
    WriteHeader(out, CurrentVersion, 0);
    if (!SafeFile::Replace(DatabaseFile, out.Bytes()))
        throw TXInOut();
    DbHeader = TDbHeader{CurrentVersion, 0};
}

void TDatabaseMgr::Save() {
    if (DatabaseFile.empty())
        return;
    const auto count = static_cast<std::uint32_t>(Records.Count());
    TObjectWriter out;
    WriteHeader(out, CurrentVersion, count);
    Records.ForEach([&out](const TRecordList::TEntry& entry) {
        TDiagramData::Streamer::Write(out, *entry.Record);
    });
    if (!SafeFile::Replace(DatabaseFile, out.Bytes()))
        throw TXInOut();

    DbHeader = TDbHeader{CurrentVersion, count};
    Records.ForEach([](const TRecordList::TEntry& entry) { entry.Record->ClearChanged(); });
    Modified = false;
}

void TDatabaseMgr::Clear() {
    Records.Clear();
    DbHeader.reset();
    Modified = false;
}
