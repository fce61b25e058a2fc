#include "app/diagram_window_list.h"

#include <array>
#include <gtest/gtest.h>

namespace {

struct TFakeFrame {};
using TList = TDiagramWindowList<TFakeFrame>;

class DiagramWindowListTest : public testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 90; ++i) {
            TDiagramData station;
            station.SetPlace(TDiagramData::TPlace("Station " + std::to_string(100 + i)));
            Database.Add(station, false);
        }
    }
    TDiagramData* Station(int index) { return &Database.RecordAt(index); }
    std::vector<TDiagramData*> Stations(int first, int count) {
        std::vector<TDiagramData*> stations;
        for (int i = first; i < first + count; ++i)
            stations.push_back(Station(i));
        return stations;
    }
    void Open(int first, int count) {
        for (TDiagramData* station : List.PlanOpening(Stations(first, count)).Stations)
            List.Register(station, &Frames[static_cast<std::size_t>(List.Count())]);
    }

    TDatabaseMgr Database{"", false, false};
    std::array<TFakeFrame, 90> Frames;
    TList List;
};

TEST_F(DiagramWindowListTest, TheLimitOfEightyWindows) {
    Open(0, 79);
    // Three new stations with 79 open: one opens, and the selection was reduced.
    const TList::TOpening reduced = List.PlanOpening(Stations(79, 3));
    EXPECT_EQ(reduced.Stations, Stations(79, 1));
    EXPECT_EQ(reduced.Limit, TList::TLimit::Reduced);

    Open(79, 1);
    const TList::TOpening refused = List.PlanOpening(Stations(80, 2));
    EXPECT_TRUE(refused.Stations.empty());
    EXPECT_EQ(refused.Limit, TList::TLimit::Refused);
    EXPECT_EQ(List.Count(), 80);

    // Stations that are shown already count for nothing, even at the limit.
    const TList::TOpening shown = List.PlanOpening(Stations(0, 5));
    EXPECT_TRUE(shown.Stations.empty());
    EXPECT_EQ(shown.Limit, TList::TLimit::None);
}

TEST_F(DiagramWindowListTest, AStationGetsOneWindowOnly) {
    Open(0, 2);
    const TList::TOpening opening = List.PlanOpening({Station(1), Station(2), Station(2)});
    EXPECT_EQ(opening.Stations, Stations(2, 1));
    EXPECT_TRUE(Station(1)->IsDisplayed());
    EXPECT_FALSE(Station(2)->IsDisplayed());
}

TEST_F(DiagramWindowListTest, UnregisteringForgetsFrameAndStation) {
    Open(0, 3);
    EXPECT_EQ(List.Unregister(&Frames[1]), Station(1));
    EXPECT_FALSE(Station(1)->IsDisplayed());
    EXPECT_EQ(List.Unregister(&Frames[1]), nullptr);
    EXPECT_EQ(List.FrameOf(Station(2)), &Frames[2]);
    EXPECT_EQ(List.StationOf(&Frames[0]), Station(0));
    EXPECT_EQ(List.Count(), 2);
}

TEST_F(DiagramWindowListTest, SteppingWrapsAround) {
    Open(0, 3);
    EXPECT_EQ(List.Neighbour(&Frames[0], true), &Frames[1]);
    EXPECT_EQ(List.Neighbour(&Frames[2], true), &Frames[0]);
    EXPECT_EQ(List.Neighbour(&Frames[0], false), &Frames[2]);
    EXPECT_EQ(List.Neighbour(&Frames[50], true), nullptr);

    // Partners pass over the comparison frame's own station.
    EXPECT_EQ(List.PartnerAfter(Station(2), &Frames[0], true), Station(1));
    EXPECT_EQ(List.PartnerAfter(Station(2), &Frames[1], false), Station(0));
    EXPECT_EQ(List.PartnerAfter(Station(1), &Frames[0], false), Station(2));
    EXPECT_EQ(List.PartnerAfter(Station(50), &Frames[0], true), nullptr);
}

TEST_F(DiagramWindowListTest, TheLastSelectionOutlivesADatabaseChange) {
    List.LastSelection = {Station(5), Station(3), Station(7)};
    const std::vector<std::string> names = List.LastSelectionNames();
    Database.RemoveAt(3);
    TDiagramData added;
    added.SetPlace(TDiagramData::TPlace("Station 000"));
    Database.Add(added, false);
    List.RebuildLastSelection(names, Database);
    ASSERT_EQ(List.LastSelection.size(), 2u);
    EXPECT_EQ(List.LastSelection[0]->Place().Name(), "Station 105");
    EXPECT_EQ(List.LastSelection[1]->Place().Name(), "Station 107");
}

} // namespace
