#include "database/merge_candidates.h"

#include <algorithm>

namespace {

bool HasRegularMinutes(const TDiagramData::TCoords& coords) {
    const auto regular = [](Math::Whole minutes) {
        return minutes >= 0 && minutes <= 59;
    };
    return regular(coords.LatitudeMinutes()) && regular(coords.LongitudeMinutes());
}

} // namespace

TMergeCandidates::TMergeCandidates(const TRecordList& records) {
    records.ForEach([this](const TRecordList::TEntry& entry) { Insert(entry); });
}

bool TMergeCandidates::CanIndex(const TDiagramData& incoming) {
    return HasRegularMinutes(incoming.Coords());
}

std::int64_t TMergeCandidates::CellOf(std::int64_t latitudeDegrees, std::int64_t longitudeDegrees) {
    // Degrees are 32-bit values; a shift keeps every pair apart.
    return latitudeDegrees * (std::int64_t{1} << 34) + longitudeDegrees;
}

std::int64_t TMergeCandidates::AltitudeOf(const TDiagramData& record) {
    return record.Altitude().Value().Units();
}

std::array<TMergeCandidates::TBucket*, 2> TMergeCandidates::BucketsOf(const TKey& key) {
    const auto& coords = key.Record->Coords();
    return {
        HasRegularMinutes(coords)
            ? &ByCell[CellOf(coords.LatitudeDegrees().Units(), coords.LongitudeDegrees().Units())]
            : &Irregular,
        &ByAltitude[AltitudeOf(*key.Record)]};
}

void TMergeCandidates::Insert(const TRecordList::TEntry& entry) {
    const TDiagramData* record = entry.Record.get();
    Remove(record);
    const TKey& key = Keys.try_emplace(record, record, entry.FoldedName).first->second;
    for (TBucket* bucket : BucketsOf(key))
        bucket->push_back(&key);
}

void TMergeCandidates::Remove(const TDiagramData* record) {
    const auto found = Keys.find(record);
    if (found == Keys.end())
        return;
    for (TBucket* bucket : BucketsOf(found->second))
        std::erase(*bucket, &found->second);
    Keys.erase(found);
}
