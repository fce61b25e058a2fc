#pragma once

#include "model/diagram_data.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The station records of a database in list order, each with its folded name. Records keep
// their address for as long as they are in the list. Inserting and removing anywhere and reaching
// an index are fast for very large lists: the entries lie in blocks of limited size.
class TRecordList {
public:
    struct TEntry {
        std::string FoldedName;
        std::unique_ptr<TDiagramData> Record;
    };

    int Count() const { return Size; }
    const TEntry& At(int index) const;
    TEntry& At(int index);

    void Insert(int index, TEntry entry);
    // Insert at the end, the way a file is read: the blocks are left half full, with room for
    // later inserts.
    void Append(TEntry entry);
    // Puts the entry in place of the one at index and hands the old one back.
    TEntry Replace(int index, TEntry entry);
    TEntry Erase(int index);
    void Clear();

    // True when the folded names never decrease along the list. Lists made by adding are;
    // a file written by another program may not be.
    bool IsSorted() const { return Descents == 0; }
    // On a sorted list: the first index whose folded name is greater than (UpperBound) or not
    // less than (LowerBound) the key, or Count() when there is none.
    int UpperBound(std::string_view key) const;
    int LowerBound(std::string_view key) const;

    // The first index from `first` on whose entry satisfies the test, or -1.
    template <typename Test>
    int FindFrom(int first, Test&& test) const;

    template <typename Visit>
    void ForEach(Visit&& visit) const {
        for (const auto& block : Blocks)
            for (const TEntry& entry : block)
                visit(entry);
    }

private:
    static constexpr std::size_t BlockSplitSize = 256;

    struct TPlace {
        std::size_t Block;
        std::size_t Offset;
    };

    TPlace Locate(int index) const;
    void RenumberFrom(std::size_t block);
    // Whether the names at these indices stand in descending order (out of range: no).
    bool IsDescent(int left, int right) const;
    template <typename LiesBefore>
    int Bound(LiesBefore&& liesBefore) const;
    template <typename Change>
    void ChangeAround(int index, int removedCount, int insertedCount, Change&& change);

    std::vector<std::vector<TEntry>> Blocks;
    // Index of the first entry of every block.
    std::vector<int> BlockStarts;
    int Size = 0;
    // How many neighbours stand in descending order of their folded names.
    int Descents = 0;
};

template <typename Test>
int TRecordList::FindFrom(int first, Test&& test) const {
    if (first < 0)
        first = 0;
    if (first >= Size)
        return -1;
    TPlace place = Locate(first);
    int index = first;
    for (std::size_t block = place.Block; block < Blocks.size(); ++block, place.Offset = 0)
        for (std::size_t offset = place.Offset; offset < Blocks[block].size(); ++offset, ++index)
            if (test(Blocks[block][offset]))
                return index;
    return -1;
}
