#include "database/database_mgr.h"

#include "model/name_folding.h"

#include <algorithm>
#include <unordered_map>

// Queries and edits. On a sorted list (the normal case) positions are found by halving; a list
// read from a file in another order is walked one record after the other, so that every result
// is the same as that of the walk.

int TDatabaseMgr::Find(const TDiagramData::TPlace& name, int start, bool exact) const {
    if (exact)
        return FindExact(name.Name(), start);
    const std::optional<TNamePattern>& pattern = CompiledPattern(FoldName(name.Name()));
    if (!pattern)
        return -1;
    return Records.FindFrom(start + 1, [&pattern](const TRecordList::TEntry& entry) {
        return pattern->Search(entry.FoldedName);
    });
}

const std::optional<TNamePattern>&
TDatabaseMgr::CompiledPattern(const std::string& foldedPattern) const {
    if (!LastPattern || LastPattern->FoldedText != foldedPattern)
        LastPattern = TPatternCache{foldedPattern, TNamePattern::Compile(foldedPattern)};
    return LastPattern->Pattern;
}

int TDatabaseMgr::FindExact(const std::string& name, int start) const {
    const auto sameName = [&name](const TRecordList::TEntry& entry) {
        return entry.Record->Place().Name() == name;
    };
    if (!Records.IsSorted())
        return Records.FindFrom(start + 1, sameName);
    // Equal names fold alike, so only the run of equal folded names can hold the record.
    const std::string folded = FoldName(name);
    const int end = Records.UpperBound(folded);
    for (int index = std::max(start + 1, Records.LowerBound(folded)); index < end; ++index)
        if (sameName(Records.At(index)))
            return index;
    return -1;
}

int TDatabaseMgr::IndexOf(const TDiagramData* record) const {
    if (!record)
        return -1;
    if (Records.IsSorted())
        return IndexOfEntry(record, FoldName(record->Place().Name()));
    return Records.FindFrom(
        0, [record](const TRecordList::TEntry& entry) { return entry.Record.get() == record; });
}

int TDatabaseMgr::IndexOfEntry(const TDiagramData* record, const std::string& foldedName) const {
    const int end = Records.UpperBound(foldedName);
    for (int index = Records.LowerBound(foldedName); index < end; ++index)
        if (Records.At(index).Record.get() == record)
            return index;
    return -1;
}

void TDatabaseMgr::Add(const TDiagramData& record, bool bulk) {
    CheckStorable(record);
    Insert(record, FoldName(record.Place().Name()), bulk);
}

TDatabaseMgr::TAddResult TDatabaseMgr::Insert(const TDiagramData& record, std::string foldedName,
                                              bool bulk) {
    Modified = true;
    TRecordList::TEntry entry{std::move(foldedName), std::make_unique<TDiagramData>(record)};
    const std::string& key = entry.FoldedName;
    const std::string& name = record.Place().Name();
    int position = 0;
    // A record of the same name takes the new one in its place, wherever it stands among the
    // records of equal folded name.
    int same = -1;
    if (Records.IsSorted()) {
        // From the insertion place through the run of equal folded names, usually short.
        position = bulk ? Records.LowerBound(key) : Records.UpperBound(key);
        const int step = bulk ? 1 : -1;
        for (int index = bulk ? position : position - 1;
             same < 0 && index >= 0 && index < Records.Count() &&
             Records.At(index).FoldedName == key;
             index += step)
            if (Records.At(index).Record->Place().Name() == name)
                same = index;
    } else {
        same = FindExact(name, -1);
        if (bulk) {
            // From the end downward to the first record whose folded name is less; one after it.
            position = Records.Count();
            while (position > 0 && !(Records.At(position - 1).FoldedName < key))
                --position;
        } else {
            // From the start upward to the first record whose folded name is greater.
            position = Records.FindFrom(
                0, [&](const TRecordList::TEntry& other) { return other.FoldedName > key; });
            if (position < 0)
                position = Records.Count();
        }
    }
    if (same >= 0)
        return {same, Records.Replace(same, std::move(entry)).Record};
    Records.Insert(position, std::move(entry));
    return {position, nullptr};
}

std::vector<TDatabaseMgr::TBulkAdded>
TDatabaseMgr::InBulkOrder(const std::vector<TDiagramData>& records) {
    // Each name once: a name that comes again keeps the place of its first coming and takes the
    // values of its last.
    struct TName {
        TBulkAdded Added;
        std::size_t First;
    };
    std::vector<TName> names;
    std::unordered_map<std::string_view, std::size_t> nameAt;
    nameAt.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string& name = records[i].Place().Name();
        if (const auto [known, added] = nameAt.try_emplace(name, names.size()); !added)
            names[known->second].Added.Record = &records[i];
        else
            names.push_back({{&records[i], FoldName(name)}, i});
    }

    // Each bulk add goes before the records of an equal folded name. A list read from a database
    // file mostly comes in this order already.
    const auto before = [](const TName& a, const TName& b) {
        const int order = a.Added.FoldedName.compare(b.Added.FoldedName);
        return order != 0 ? order < 0 : a.First > b.First;
    };
    if (!std::is_sorted(names.begin(), names.end(), before))
        std::sort(names.begin(), names.end(), before);
    std::vector<TBulkAdded> order;
    order.reserve(names.size());
    for (TName& name : names)
        order.push_back(std::move(name.Added));
    return order;
}

void TDatabaseMgr::RemoveAt(int index) {
    if (index < 0 || index >= Records.Count())
        return;
    Records.Erase(index);
    Modified = true;
}

std::vector<TDiagramData> TDatabaseMgr::CopyOut() const {
    std::vector<TDiagramData> copies;
    copies.reserve(static_cast<std::size_t>(Records.Count()));
    Records.ForEach(
        [&copies](const TRecordList::TEntry& entry) { copies.push_back(*entry.Record); });
    return copies;
}
