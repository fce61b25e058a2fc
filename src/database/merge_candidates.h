#pragma once

#include "database/record_list.h"
#include "model/name_parts.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// Finds the records of a database that can resemble an incoming record with a grade above 2,
// without comparing it with every record. Such a grade needs name, position and altitude grades
// that add up to at least 8. The name grade is 0, 2 or 3 (names of equal bytes are dealt with
// before), so either the position grade is at least 2, or the name grade is 3 with altitudes at
// most one metre apart. A position grade of 2 or more puts the whole degrees at most one apart
// on both axes as long as the minutes lie in 0 to 59; a name grade of 3 needs equal folded
// station parts or equal folded country parts, which are looked for among the records of
// nearly the same altitude.
class TMergeCandidates {
public:
    // What the comparison needs of a record, computed once. It stays where it was made, as its
    // name parts are views of its folded name.
    struct TKey {
        const TDiagramData* Record;
        std::string FoldedName;
        TNameParts Parts;

        TKey(const TDiagramData* record, std::string foldedName)
            : Record(record), FoldedName(std::move(foldedName)), Parts(FoldedName) {}
        TKey(const TKey&) = delete;
        TKey& operator=(const TKey&) = delete;
    };

    explicit TMergeCandidates(const TRecordList& records);

    void Insert(const TRecordList::TEntry& entry);
    void Remove(const TDiagramData* record);

    // Whether the incoming record lies where the indexes can answer for it; otherwise every
    // record is a candidate.
    static bool CanIndex(const TDiagramData& incoming);

    // Calls visit(key) for every record that may resemble the incoming one (some more than once,
    // and some that do not); incoming must be indexable.
    template <typename Visit>
    void ForEachCandidate(const TKey& incoming, Visit&& visit) const;

private:
    using TBucket = std::vector<const TKey*>;

    static std::int64_t CellOf(std::int64_t latitudeDegrees, std::int64_t longitudeDegrees);
    static std::int64_t AltitudeOf(const TDiagramData& record);
    std::array<TBucket*, 2> BucketsOf(const TKey& key);

    std::unordered_map<const TDiagramData*, TKey> Keys;
    std::unordered_map<std::int64_t, TBucket> ByCell;
    std::unordered_map<std::int64_t, TBucket> ByAltitude;
    // Records with minutes outside 0 to 59, which may be near anything.
    TBucket Irregular;
};

template <typename Visit>
void TMergeCandidates::ForEachCandidate(const TKey& incoming, Visit&& visit) const {
    const auto& coords = incoming.Record->Coords();
    const std::int64_t latitude = coords.LatitudeDegrees().Units();
    const std::int64_t longitude = coords.LongitudeDegrees().Units();
    for (std::int64_t dLat = -1; dLat <= 1; ++dLat)
        for (std::int64_t dLong = -1; dLong <= 1; ++dLong)
            if (const auto cell = ByCell.find(CellOf(latitude + dLat, longitude + dLong));
                cell != ByCell.end())
                for (const TKey* key : cell->second)
                    visit(*key);
    for (const TKey* key : Irregular)
        visit(*key);

    const std::int64_t altitude = AltitudeOf(*incoming.Record);
    for (std::int64_t metres = altitude - 1; metres <= altitude + 1; ++metres)
        if (const auto bucket = ByAltitude.find(metres); bucket != ByAltitude.end())
            for (const TKey* key : bucket->second)
                if (key->Parts.Station == incoming.Parts.Station ||
                    key->Parts.Country == incoming.Parts.Country)
                    visit(*key);
}
