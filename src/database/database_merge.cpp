#include "database/database_mgr.h"

#include "database/merge_candidates.h"

#include <optional>

// One merge into a target database. On a sorted target the records that may resemble an
// incoming one are found through indexes kept in step with every change the merge makes;
// otherwise every record is compared, first to last.
class TDatabaseMgr::TMerge {
public:
    TMerge(TDatabaseMgr& target, MergeHandler* handler) : Target(target), Handler(handler) {
        if (Handler && Target.Records.IsSorted())
            Candidates.emplace(Target.Records);
    }

    void Take(const TDiagramData& incoming, const std::string& foldedName) {
        if (const int same = Target.FindExact(incoming.Place().Name(), -1); same >= 0) {
            const TDiagramData& existing = Target.RecordAt(same);
            if (existing.IsIdentical(incoming)) {
                if (Handler)
                    Handler->Identical(incoming);
            } else if (Handler && Handler->Query(existing, incoming) == MergeHandler::Replace) {
                // The add puts the incoming record in the place of the one of the same name.
                Add(incoming, foldedName);
            }
            return;
        }
        if (!Handler)
            return Add(incoming, foldedName);

        const int similar = FirstSimilar(incoming, foldedName);
        if (similar < 0) {
            Add(incoming, foldedName);
            Handler->Added(incoming);
            return;
        }
        switch (Handler->Query(Target.RecordAt(similar), incoming)) {
        case MergeHandler::Replace:
            RemoveAt(similar);
            Add(incoming, foldedName);
            break;
        case MergeHandler::Add:
            Add(incoming, foldedName);
            break;
        default:
            break;
        }
    }

private:
    void Add(const TDiagramData& incoming, const std::string& foldedName) {
        TAddResult result = Target.Insert(incoming, foldedName, false);
        if (!Candidates)
            return;
        if (result.Replaced)
            Candidates->Remove(result.Replaced.get());
        Candidates->Insert(Target.Records.At(result.Index));
    }

    void RemoveAt(int index) {
        if (Candidates)
            Candidates->Remove(Target.Records.At(index).Record.get());
        Target.RemoveAt(index);
    }

    // The index of the first record whose similarity grade with the incoming one is above 2.
    int FirstSimilar(const TDiagramData& incoming, const std::string& foldedName) const {
        if (!Candidates || !TMergeCandidates::CanIndex(incoming))
            return Target.Records.FindFrom(0, [&incoming](const TRecordList::TEntry& entry) {
                return entry.Record->Similarity(incoming) > 2;
            });

        const TMergeCandidates::TKey key(&incoming, foldedName);
        int first = -1;
        Candidates->ForEachCandidate(key, [&](const TMergeCandidates::TKey& candidate) {
            if (!IsSimilar(candidate, key))
                return;
            const int index = Target.IndexOfEntry(candidate.Record, candidate.FoldedName);
            if (first < 0 || index < first)
                first = index;
        });
        return first;
    }

    // Whether the record similarity of two records is above 2, from the parts computed before.
    // Grades above 2 need a sum of 8; names of other bytes give at most 3, so that far apart in
    // altitude (grade 0) only the very same position can make up the rest.
    static bool IsSimilar(const TMergeCandidates::TKey& a, const TMergeCandidates::TKey& b) {
        const bool sameName = a.Record->Place().Name() == b.Record->Place().Name();
        const int altitude = a.Record->Altitude().Similarity(b.Record->Altitude());
        if (!sameName && altitude == 0 && !(a.Record->Coords() == b.Record->Coords()))
            return false;
        const int position = a.Record->Coords().Similarity(b.Record->Coords());
        // Even equal names (5) cannot reach 8 from below 3.
        if (position + altitude < 3)
            return false;
        const int name = sameName ? 5 : TNameParts::GradeOfDifferentNames(a.Parts, b.Parts);
        return TDiagramData::Similarity(name, position, altitude) > 2;
    }

    TDatabaseMgr& Target;
    MergeHandler* Handler;
    std::optional<TMergeCandidates> Candidates;
};

void TDatabaseMgr::Merge(const TDatabaseMgr& source, MergeHandler* handler) {
    if (&source == this) {
        // Merging a database into itself: take the records from a copy.
        TDatabaseMgr copy("", false, false);
        Records.ForEach([&copy](const TRecordList::TEntry& entry) {
            copy.Records.Insert(copy.Records.Count(),
                                {entry.FoldedName, std::make_unique<TDiagramData>(*entry.Record)});
        });
        return Merge(copy, handler);
    }
    TMerge merge(*this, handler);
    source.Records.ForEach([&merge](const TRecordList::TEntry& entry) {
        merge.Take(*entry.Record, entry.FoldedName);
    });
}

void TDatabaseMgr::MergeList(const std::vector<TDiagramData>& records, MergeHandler* handler) {
    for (const TDiagramData& record : records)
        CheckStorable(record);
    // The list is merged in the order in which a database of it would hold it.
    TMerge merge(*this, handler);
    for (const TBulkAdded& added : InBulkOrder(records))
        merge.Take(*added.Record, added.FoldedName);
}
