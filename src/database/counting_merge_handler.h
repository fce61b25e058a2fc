#pragma once

#include "database/database_mgr.h"

// Counts what becomes of the incoming records of a merge, and once a decision stands for all
// further cases applies it without asking. Asking about a single case is the business of a
// derived class; this one ignores such cases.
class TCountingMergeHandler : public TDatabaseMgr::MergeHandler {
public:
    struct TCounts {
        int Identical = 0;
        int Added = 0;
        int Replaced = 0;
        int Ignored = 0;
    };

    enum class TStanding { None, ReplaceAll, IgnoreAll, AddAll };

    explicit TCountingMergeHandler(TStanding standing = TStanding::None) : Standing(standing) {}

    void Identical(const TDiagramData& incoming) override;
    void Added(const TDiagramData& incoming) override;
    // A record cannot be added beside one of the same name: such an add counts as ignored.
    int Query(const TDiagramData& existing, const TDiagramData& incoming) override;

    const TCounts& Counts() const { return MergeCounts; }

protected:
    struct TAnswer {
        TDecision Decision;
        TStanding Standing;
    };

    // Asked only while no decision stands.
    virtual TAnswer Ask(const TDiagramData& existing, const TDiagramData& incoming);
    // Told after every change of the counts.
    virtual void CountsChanged() {}

private:
    TStanding Standing;
    TCounts MergeCounts;
};
