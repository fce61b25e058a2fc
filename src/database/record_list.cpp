#include "database/record_list.h"

#include <algorithm>
#include <utility>

TRecordList::TPlace TRecordList::Locate(int index) const {
    const auto after = std::upper_bound(BlockStarts.begin(), BlockStarts.end(), index);
    const auto block = static_cast<std::size_t>(after - BlockStarts.begin() - 1);
    return {block, static_cast<std::size_t>(index - BlockStarts[block])};
}

const TRecordList::TEntry& TRecordList::At(int index) const {
    const TPlace place = Locate(index);
    return Blocks[place.Block][place.Offset];
}

TRecordList::TEntry& TRecordList::At(int index) {
    const TPlace place = Locate(index);
    return Blocks[place.Block][place.Offset];
}

void TRecordList::RenumberFrom(std::size_t block) {
    BlockStarts.resize(Blocks.size());
    int start =
        block == 0 ? 0 : BlockStarts[block - 1] + static_cast<int>(Blocks[block - 1].size());
    for (; block < Blocks.size(); ++block) {
        BlockStarts[block] = start;
        start += static_cast<int>(Blocks[block].size());
    }
}

bool TRecordList::IsDescent(int left, int right) const {
    return left >= 0 && right < Size && At(left).FoldedName > At(right).FoldedName;
}

// Keeps the count of descending neighbours right across a change of the entries from index on:
// the pairs the change touches are taken out before and counted again after it.
template <typename Change>
void TRecordList::ChangeAround(int index, int removedCount, int insertedCount, Change&& change) {
    for (int i = index - 1; i < index + removedCount; ++i)
        Descents -= IsDescent(i, i + 1);
    change();
    for (int i = index - 1; i < index + insertedCount; ++i)
        Descents += IsDescent(i, i + 1);
}

void TRecordList::Insert(int index, TEntry entry) {
    ChangeAround(index, 0, 1, [&] {
        if (Blocks.empty()) {
            Blocks.emplace_back();
            BlockStarts.push_back(0);
        }
        // An index between two blocks goes to the end of the earlier one.
        TPlace place =
            index == Size ? TPlace{Blocks.size() - 1, Blocks.back().size()} : Locate(index);
        auto& block = Blocks[place.Block];
        block.insert(block.begin() + static_cast<std::ptrdiff_t>(place.Offset), std::move(entry));
        ++Size;
        if (block.size() >= BlockSplitSize) {
            std::vector<TEntry> upperHalf(
                std::make_move_iterator(block.begin() + BlockSplitSize / 2),
                std::make_move_iterator(block.end()));
            block.resize(BlockSplitSize / 2);
            Blocks.insert(Blocks.begin() + static_cast<std::ptrdiff_t>(place.Block) + 1,
                          std::move(upperHalf));
        }
        RenumberFrom(place.Block);
    });
}

void TRecordList::Append(TEntry entry) {
    Descents += Size > 0 && At(Size - 1).FoldedName > entry.FoldedName;
    if (Blocks.empty() || Blocks.back().size() >= BlockSplitSize / 2) {
        BlockStarts.push_back(Size);
        Blocks.emplace_back().reserve(BlockSplitSize / 2);
    }
    Blocks.back().push_back(std::move(entry));
    ++Size;
}

TRecordList::TEntry TRecordList::Replace(int index, TEntry entry) {
    TEntry old;
    ChangeAround(index, 1, 1, [&] { old = std::exchange(At(index), std::move(entry)); });
    return old;
}

TRecordList::TEntry TRecordList::Erase(int index) {
    TEntry old;
    ChangeAround(index, 1, 0, [&] {
        const TPlace place = Locate(index);
        auto& block = Blocks[place.Block];
        old = std::move(block[place.Offset]);
        block.erase(block.begin() + static_cast<std::ptrdiff_t>(place.Offset));
        --Size;
        if (block.empty())
            Blocks.erase(Blocks.begin() + static_cast<std::ptrdiff_t>(place.Block));
        RenumberFrom(place.Block);
    });
    return old;
}

void TRecordList::Clear() {
    Blocks.clear();
    BlockStarts.clear();
    Size = 0;
    Descents = 0;
}

// The first index whose entry does not lie before the bound; entries that do lie before it
// form a prefix of a sorted list, so the blocks and then one block can be halved.
template <typename LiesBefore>
int TRecordList::Bound(LiesBefore&& liesBefore) const {
    // Lists are often made in order, one record after the last.
    if (Size == 0 || liesBefore(Blocks.back().back()))
        return Size;
    const auto block = std::partition_point(Blocks.begin(), Blocks.end(),
                                            [&](const auto& b) { return liesBefore(b.back()); });
    if (block == Blocks.end())
        return Size;
    const auto entry = std::partition_point(block->begin(), block->end(), liesBefore);
    const auto blockIndex = static_cast<std::size_t>(block - Blocks.begin());
    return BlockStarts[blockIndex] + static_cast<int>(entry - block->begin());
}

int TRecordList::UpperBound(std::string_view key) const {
    return Bound([key](const TEntry& e) { return e.FoldedName <= key; });
}

int TRecordList::LowerBound(std::string_view key) const {
    return Bound([key](const TEntry& e) { return e.FoldedName < key; });
}
