#include "database/record_list.h"

#include <gtest/gtest.h>
#include <random>

namespace {

TRecordList::TEntry Entry(std::string foldedName) {
    return {std::move(foldedName), std::make_unique<TDiagramData>()};
}

bool IsSorted(const std::vector<std::string>& names) {
    return std::is_sorted(names.begin(), names.end());
}

// Thousands of random changes, checked against a plain vector after each one.
TEST(RecordListTest, BehavesLikeAPlainListAcrossManyBlocks) {
    std::mt19937 random(7);
    TRecordList list;
    std::vector<std::string> expected;
    for (int step = 0; step < 6000; ++step) {
        const auto size = static_cast<int>(expected.size());
        const int choice = static_cast<int>(random() % 10);
        const std::string name(1, static_cast<char>('a' + random() % 26));
        if (choice < 6 || size == 0) {
            const int index = static_cast<int>(random() % (size + 1));
            list.Insert(index, Entry(name));
            expected.insert(expected.begin() + index, name);
        } else if (choice < 9) {
            const int index = static_cast<int>(random() % size);
            EXPECT_EQ(list.Erase(index).FoldedName, expected[index]);
            expected.erase(expected.begin() + index);
        } else {
            const int index = static_cast<int>(random() % size);
            EXPECT_EQ(list.Replace(index, Entry(name)).FoldedName, expected[index]);
            expected[index] = name;
        }
        ASSERT_EQ(list.Count(), static_cast<int>(expected.size()));
        ASSERT_EQ(list.IsSorted(), IsSorted(expected)) << "step " << step;
    }
    for (int i = 0; i < list.Count(); ++i)
        ASSERT_EQ(list.At(i).FoldedName, expected[i]);
    EXPECT_EQ(list.FindFrom(list.Count() - 3, [](const auto&) { return true; }), list.Count() - 3);
    EXPECT_EQ(list.FindFrom(list.Count(), [](const auto&) { return true; }), -1);
}

TEST(RecordListTest, BoundsOfASortedListSpanningBlocks) {
    TRecordList list;
    std::vector<std::string> expected;
    for (int i = 0; i < 5000; ++i) {
        std::string name = std::to_string(1000 + i / 3); // three of each name
        expected.push_back(name);
        list.Insert(list.Count(), Entry(name));
    }
    ASSERT_TRUE(list.IsSorted());
    for (const std::string key : {"0", "1000", "1500", "1501x", "2666", "2667", "9"}) {
        EXPECT_EQ(list.LowerBound(key),
                  std::lower_bound(expected.begin(), expected.end(), key) - expected.begin());
        EXPECT_EQ(list.UpperBound(key),
                  std::upper_bound(expected.begin(), expected.end(), key) - expected.begin());
    }
    list.Clear();
    EXPECT_EQ(list.UpperBound("x"), 0);
    EXPECT_TRUE(list.IsSorted());
}

} // namespace
