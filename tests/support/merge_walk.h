#pragma once

// The merge as the rules say it, comparing every incoming record with every stored one, beside
// which the program's merge must give the same questions in the same order and the same list.

#include "database/database_mgr.h"
#include "model/windows1252.h"

#include <random>
#include <string>
#include <vector>

// Answers every query with a decision from a fixed sequence (or from a seeded generator) and
// writes down every call.
class TRecordingHandler : public TDatabaseMgr::MergeHandler {
public:
    explicit TRecordingHandler(int decision, unsigned seed = 0)
        : Decision(decision), Random(seed) {}

    void Identical(const TDiagramData& incoming) override { Log("identical " + Name(incoming)); }
    void Added(const TDiagramData& incoming) override { Log("added " + Name(incoming)); }
    int Query(const TDiagramData& existing, const TDiagramData& incoming) override {
        Log("query " + Name(existing) + " ~ " + Name(incoming));
        return Decision >= 0 ? Decision : static_cast<int>(Random() % 4);
    }

    std::vector<std::string> Calls;

private:
    static std::string Name(const TDiagramData& record) {
        return Windows1252::ToUtf8(record.Place().Name());
    }
    void Log(std::string call) { Calls.push_back(std::move(call)); }

    int Decision;
    std::mt19937 Random;
};

// Merges the source (a database made by adds, as the list operation makes it) record by
// record, each compared with every stored record from the first on.
inline void MergeStraightforwardly(TDatabaseMgr& target, const TDatabaseMgr& source,
                                   TDatabaseMgr::MergeHandler* handler) {
    for (int i = 0; i < source.Count(); ++i) {
        const TDiagramData& incoming = source.RecordAt(i);
        const int same = target.Find(incoming.Place(), -1, true);
        if (same >= 0) {
            if (target.RecordAt(same).IsIdentical(incoming)) {
                if (handler)
                    handler->Identical(incoming);
            } else if (handler && handler->Query(target.RecordAt(same), incoming) == 1) {
                target.Add(incoming, false);
            }
            continue;
        }
        int similar = -1;
        for (int e = 0; handler && e < target.Count() && similar < 0; ++e)
            if (target.RecordAt(e).Similarity(incoming) > 2)
                similar = e;
        if (similar < 0) {
            target.Add(incoming, false);
            if (handler)
                handler->Added(incoming);
            continue;
        }
        const int decision = handler->Query(target.RecordAt(similar), incoming);
        if (decision == 1)
            target.RemoveAt(similar);
        if (decision == 1 || decision == 2)
            target.Add(incoming, false);
    }
}

// The list merge the same way: the list first goes into a database by adds in bulk, one after
// the other.
inline void MergeListStraightforwardly(TDatabaseMgr& target,
                                       const std::vector<TDiagramData>& records,
                                       TDatabaseMgr::MergeHandler* handler) {
    TDatabaseMgr source("", false, false);
    for (const TDiagramData& record : records)
        source.Add(record, true);
    MergeStraightforwardly(target, source, handler);
}
