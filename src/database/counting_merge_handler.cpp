#include "database/counting_merge_handler.h"

void TCountingMergeHandler::Identical(const TDiagramData&) {
    ++MergeCounts.Identical;
    CountsChanged();
}

void TCountingMergeHandler::Added(const TDiagramData&) {
    ++MergeCounts.Added;
    CountsChanged();
}

int TCountingMergeHandler::Query(const TDiagramData& existing, const TDiagramData& incoming) {
    TDecision decision = Ignore;
    switch (Standing) {
    case TStanding::ReplaceAll:
        decision = Replace;
        break;
    case TStanding::IgnoreAll:
        decision = Ignore;
        break;
    case TStanding::AddAll:
        decision = Add;
        break;
    case TStanding::None: {
        const TAnswer answer = Ask(existing, incoming);
        decision = answer.Decision;
        Standing = answer.Standing;
        break;
    }
    }
    if (decision == Add && existing.Place().Name() == incoming.Place().Name())
        decision = Ignore;

    if (decision == Replace)
        ++MergeCounts.Replaced;
    else if (decision == Add)
        ++MergeCounts.Added;
    else
        ++MergeCounts.Ignored;
    CountsChanged();
    return decision;
}

TCountingMergeHandler::TAnswer TCountingMergeHandler::Ask(const TDiagramData&,
                                                          const TDiagramData&) {
    return {Ignore, TStanding::None};
}
