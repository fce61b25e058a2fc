#pragma once

#include "database/name_pattern.h"
#include "database/record_list.h"
#include "model/diagram_data.h"
#include "model/prefixed_error.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The station records of one database file: reads the file into memory, keeps the records
// sorted by folded name and addressable by index, tracks changes and writes the whole list back.
// A manager with an empty file name is a temporary container that never touches a file.
class TDatabaseMgr {
public:
    // Every error of the manager; the message starts with "Datenbank-Manager: ".
    class TXBase : public TPrefixedError {
    public:
        explicit TXBase(std::string_view message)
            : TPrefixedError("Datenbank-Manager: ", message) {}
    };

    // Wrong signature, or a version newer than this program knows.
    class TXInvalidHeader : public TXBase {
    public:
        TXInvalidHeader();
    };

    // Declared among the errors of loading, but never raised: newer versions are refused as an
    // invalid header.
    class TXVersionNotSupported : public TXBase {
    public:
        TXVersionNotSupported();
    };

    // A record broke its rules while being read (with the record's error as cause), or the
    // stream itself broke (no cause).
    class TXCorruptData : public TXBase {
    public:
        TXCorruptData();
        explicit TXCorruptData(const TDiagramData::TXBase& cause);
        bool HasCause() const { return CauseMessage.has_value(); }
        const std::optional<std::string>& Cause() const { return CauseMessage; }

    private:
        std::optional<std::string> CauseMessage;
    };

    // The file could not be opened, read or written. With the file and the system's reason
    // (an errno value, or SafeFile::NotARegularFile) the message names both.
    class TXInOut : public TXBase {
    public:
        TXInOut();
        TXInOut(const std::string& fileName, int error);
    };

    // The header as last read or written.
    struct TDbHeader {
        std::int32_t Version;
        std::uint32_t RecordCount;
    };

    // Decides what becomes of incoming records during a merge.
    class MergeHandler {
    public:
        enum TDecision { Ignore = 0, Replace = 1, Add = 2 };

        virtual ~MergeHandler() = default;
        // The incoming record equals an existing one in every value; nothing changes.
        virtual void Identical(const TDiagramData& incoming) = 0;
        // The incoming record was added as a new record.
        virtual void Added(const TDiagramData& incoming) = 0;
        // What to do with an incoming record that has the name of an existing one but other
        // values, or resembles an existing one: a TDecision; any other value means Ignore.
        virtual int Query(const TDiagramData& existing, const TDiagramData& incoming) = 0;
    };

    static constexpr std::string_view Signature = "Pelvanor Database";
    static constexpr std::int32_t CurrentVersion = 3;

    // Loads the file unless the name is empty; errors of the load pass to the caller.
    TDatabaseMgr(std::string fileName, bool saveOnDestruction, bool createNew);
    // Reads a database file into a temporary manager, which never creates or writes a file. A
    // missing or unreadable file is an input/output error; other errors are those of loading.
    static std::unique_ptr<TDatabaseMgr> ReadOnly(const std::string& fileName);
    // Saves first when asked to at construction (and the name is not empty); a failure to save
    // here is swallowed, callers that care save before.
    ~TDatabaseMgr();
    TDatabaseMgr(const TDatabaseMgr&) = delete;
    TDatabaseMgr& operator=(const TDatabaseMgr&) = delete;

    // Reads the file. Without keepRecords its records take the place of the list, with it they
    // follow the list. A missing file, or any file when createNew is set, is made anew as an
    // empty database. A load that fails changes nothing: a list read only in part must never
    // be saved over the file it came from.
    void Load(bool keepRecords, bool createNew);
    // Writes the whole list. The file is replaced only once the new one is completely written;
    // on failure the old file stays as it was and the list stays modified.
    void Save();
    // Writes the whole list into another file in the same safe way; this manager's file, header
    // and modified flag stay as they are.
    void SaveCopy(const std::string& fileName) const;
    // Drops all records and the header.
    void Clear();

    const std::string& FileName() const { return DatabaseFile; }
    int Count() const { return Records.Count(); }
    // Indices 0 to Count() - 1. Values of a stored record change only through RemoveAt and Add;
    // the record's marks may be set directly.
    const TDiagramData& RecordAt(int index) const { return *Records.At(index).Record; }
    TDiagramData& RecordAt(int index) { return *Records.At(index).Record; }
    bool IsModified() const { return Modified; }
    const std::optional<TDbHeader>& Header() const { return DbHeader; }

    // The index of the first record after start (-1 searches from the beginning) whose name
    // equals the given one byte for byte (exact), or matches it as a pattern on folded names;
    // -1 when there is none or the pattern is malformed.
    int Find(const TDiagramData::TPlace& name, int start, bool exact) const;
    // The index of this very record object, or -1.
    int IndexOf(const TDiagramData* record) const;
    // Stores a copy in sorted position; a record of exactly the same name is replaced in its
    // place, so that no two records share a name. Single adds go after records of equal folded
    // name, bulk adds before them. A record that breaks its rules is refused with a data error.
    void Add(const TDiagramData& record, bool bulk);
    // Deletes the record at the index; an index out of range changes nothing.
    void RemoveAt(int index);
    // Copies of all records in list order.
    std::vector<TDiagramData> CopyOut() const;

    // Brings every record of the source into this database. Identical records are reported;
    // new ones are added; for one with the name of an existing record but other values, or one
    // similar to an existing record (grade above 2), the handler decides. Without a handler
    // records with an existing name are left out and all others added.
    void Merge(const TDatabaseMgr& source, MergeHandler* handler);
    // Merges a list of records as if it were a database of its own. A record that breaks its
    // rules refuses the whole list with a data error before anything changes.
    void MergeList(const std::vector<TDiagramData>& records, MergeHandler* handler);

private:
    struct TAddResult {
        int Index;
        // The record that a same-named one replaced, if any.
        std::unique_ptr<TDiagramData> Replaced;
    };

    // Appends the records of a database file and returns its header; nothing when there is no
    // such file. Errors of the file itself name it.
    static std::optional<TDbHeader> ReadFile(const std::string& fileName, TRecordList& records);
    // The file content of the list; a data error for a record that loading would refuse.
    std::string FileBytes() const;
    static void CheckStorable(const TDiagramData& record);
    TDbHeader CreateEmptyFile() const;
    TAddResult Insert(const TDiagramData& record, std::string foldedName, bool bulk);
    // A record of a list as it stands in a database made by adding the list in bulk.
    struct TBulkAdded {
        const TDiagramData* Record;
        std::string FoldedName;
    };
    // The records that adding the list in bulk, one after the other, to an empty database would
    // leave there, in their order there, found by sorting once.
    static std::vector<TBulkAdded> InBulkOrder(const std::vector<TDiagramData>& records);
    int FindExact(const std::string& name, int start) const;
    int IndexOfEntry(const TDiagramData* record, const std::string& foldedName) const;
    const std::optional<TNamePattern>& CompiledPattern(const std::string& foldedPattern) const;
    class TMerge;

    std::string DatabaseFile;
    bool SaveOnDestruction;
    std::optional<TDbHeader> DbHeader;
    TRecordList Records;
    bool Modified = false;

    // The last pattern searched for: callers enumerate matches with one pattern many times.
    struct TPatternCache {
        std::string FoldedText;
        std::optional<TNamePattern> Pattern;
    };
    mutable std::optional<TPatternCache> LastPattern;
};
