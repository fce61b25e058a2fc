#include "database/database_mgr.h"

#include "database/object_stream_reader.h"
#include "database/object_stream_writer.h"
#include "database/record_stream.h"
#include "database/safe_file.h"
#include "model/name_folding.h"
#include "model/windows1252.h"

#include <cerrno>

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

TDatabaseMgr::TXInOut::TXInOut(const std::string& fileName, int error)
    : TXBase("Ein-/Ausgabe-Fehler: " + SafeFile::Describe(fileName, error)) {
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

namespace {

TDatabaseMgr::TDbHeader ReadHeader(TObjectReader& in) {
    if (in.ReadCString() != TDatabaseMgr::Signature)
        throw TDatabaseMgr::TXInvalidHeader();
    const std::int32_t version = in.ReadInt32();
    if (version > TDatabaseMgr::CurrentVersion)
        throw TDatabaseMgr::TXInvalidHeader();
    const std::uint32_t recordCount = in.ReadWord32();
    if (!in.Good())
        throw TDatabaseMgr::TXInOut();
    return {version, recordCount};
}

// A database file as the bytes of an object stream.
class TFileSource : public TObjectReader::TSource {
public:
    explicit TFileSource(SafeFile::TReader& file) : File(file) {}
    std::uint64_t Size() const override { return File.Size(); }
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t count) override {
        return File.ReadAt(offset, buffer, count);
    }

private:
    SafeFile::TReader& File;
};

} // namespace

void TDatabaseMgr::Load(bool keepRecords, bool createNew) {
    if (DatabaseFile.empty())
        return;
    // Read apart and taken over only once the whole file was read.
    TRecordList loaded;
    std::optional<TDbHeader> header;
    if (!createNew)
        header = ReadFile(DatabaseFile, loaded);
    if (!header)
        header = CreateEmptyFile();

    if (!keepRecords)
        Clear();
    if (Records.Count() == 0)
        Records = std::move(loaded);
    else
        for (int i = 0; i < loaded.Count(); ++i)
            Records.Append(std::move(loaded.At(i)));
    DbHeader = header;
}

std::unique_ptr<TDatabaseMgr> TDatabaseMgr::ReadOnly(const std::string& fileName) {
    auto database = std::make_unique<TDatabaseMgr>("", false, false);
    database->DbHeader = ReadFile(fileName, database->Records);
    if (!database->DbHeader)
        throw TXInOut(fileName, ENOENT);
    return database;
}

std::optional<TDatabaseMgr::TDbHeader> TDatabaseMgr::ReadFile(const std::string& fileName,
                                                              TRecordList& records) {
    SafeFile::TReader file(fileName);
    if (file.Status() == SafeFile::TReadStatus::Missing)
        return std::nullopt;
    // A file that exists but cannot be read is never taken for a missing one.
    if (file.Status() == SafeFile::TReadStatus::Failed)
        throw TXInOut(fileName, file.Error());
    TFileSource source(file);
    TObjectReader in(source);
    // What goes wrong once the file failed to read follows from that failure.
    const auto throwIfUnreadable = [&] {
        if (file.Error() != 0)
            throw TXInOut(fileName, file.Error());
    };
    try {
        const TDbHeader header = ReadHeader(in);
        for (std::uint32_t read = 0; in.Good() && read < header.RecordCount; ++read) {
            std::optional<TDiagramData> record;
            try {
                record = TDiagramData::Streamer::Read(in);
            } catch (const TDiagramData::TXBase& error) {
                throw TXCorruptData(error);
            }
            if (record)
                records.Append({FoldName(record->Place().Name()),
                                std::make_unique<TDiagramData>(std::move(*record))});
        }
        throwIfUnreadable();
        if (!in.Good())
            throw TXCorruptData();
        return header;
    } catch (const std::bad_alloc&) {
        throw TXInOut(fileName, ENOMEM);
    } catch (const TXBase&) {
        throwIfUnreadable();
        throw;
    }
}

namespace {

void WriteHeader(TObjectWriter& out, std::int32_t version, std::uint32_t count) {
    out.WriteCString(TDatabaseMgr::Signature);
    out.WriteInt32(version);
    out.WriteWord32(count);
}

} // namespace

TDatabaseMgr::TDbHeader TDatabaseMgr::CreateEmptyFile() const {
    TObjectWriter out;
    WriteHeader(out, CurrentVersion, 0);
    if (const SafeFile::TWriteResult written = SafeFile::Replace(DatabaseFile, out.Bytes());
        !written)
        throw TXInOut(DatabaseFile, written.Error);
    return {CurrentVersion, 0};
}

std::string TDatabaseMgr::FileBytes() const {
    // Nothing is written that loading would refuse.
    Records.ForEach([](const TRecordList::TEntry& entry) { CheckStorable(*entry.Record); });
    // A station takes some 470 bytes of the file.
    constexpr std::size_t BytesPerRecord = 512;
    TObjectWriter out;
    out.Reserve(BytesPerRecord * static_cast<std::size_t>(Records.Count()));
    WriteHeader(out, CurrentVersion, static_cast<std::uint32_t>(Records.Count()));
    Records.ForEach([&out](const TRecordList::TEntry& entry) {
        TDiagramData::Streamer::Write(out, *entry.Record);
    });
    return out.Bytes();
}

void TDatabaseMgr::CheckStorable(const TDiagramData& record) {
    try {
        record.Validate();
    } catch (const TDiagramData::TXBase& error) {
        throw TXCorruptData(error);
    }
}

void TDatabaseMgr::Save() {
    if (DatabaseFile.empty())
        return;
    SaveCopy(DatabaseFile);

    DbHeader = TDbHeader{CurrentVersion, static_cast<std::uint32_t>(Records.Count())};
    Records.ForEach([](const TRecordList::TEntry& entry) { entry.Record->ClearChanged(); });
    Modified = false;
}

void TDatabaseMgr::SaveCopy(const std::string& fileName) const {
    if (const SafeFile::TWriteResult written = SafeFile::Replace(fileName, FileBytes()); !written)
        throw TXInOut(fileName, written.Error);
}

void TDatabaseMgr::Clear() {
    Records.Clear();
    DbHeader.reset();
    Modified = false;
}
