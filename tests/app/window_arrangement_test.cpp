#include "app/window_arrangement.h"

#include <gtest/gtest.h>
#include <ostream>

// Found by the test framework beside QRect.
void PrintTo(const QRect& rect, std::ostream* out) {
    *out << "(" << rect.x() << ", " << rect.y() << ", " << rect.width() << " x " << rect.height()
         << ")";
}

namespace {

using Rects = std::vector<QRect>;

struct TArrangementCase {
    const char* Name;
    int Count;
    QRect WorkArea;
    bool AlwaysMaximize;
    Rects Expected;
};

// A work area of 1000 × 700 beside a taskbar on the left (x from 40) or at the top (y from 30);
// a caption step of 25.
const QRect LeftPanel(40, 0, 1000, 700);
const QRect TopPanel(0, 30, 1000, 700);

class WindowArrangementTest : public testing::TestWithParam<TArrangementCase> {};

TEST_P(WindowArrangementTest, PlacesEveryWindow) {
    const TArrangementCase& c = GetParam();
    EXPECT_EQ(ArrangeDiagramWindows(c.Count, c.WorkArea, 25, c.AlwaysMaximize), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, WindowArrangementTest,
    testing::Values(
        TArrangementCase{"None", 0, LeftPanel, false, {}},
        TArrangementCase{"One", 1, LeftPanel, false, {LeftPanel}},
        TArrangementCase{"TwoAboveEachOther",
                         2,
                         LeftPanel,
                         false,
                         {QRect(40, 0, 1000, 350), QRect(40, 350, 1000, 350)}},
        TArrangementCase{
            "ThreeOneAboveTwo",
            3,
            TopPanel,
            false,
            {QRect(0, 30, 1000, 350), QRect(0, 380, 500, 350), QRect(500, 380, 500, 350)}},
        TArrangementCase{"FourInAGrid",
                         4,
                         TopPanel,
                         false,
                         {QRect(0, 30, 500, 350), QRect(500, 30, 500, 350), QRect(0, 380, 500, 350),
                          QRect(500, 380, 500, 350)}},
        TArrangementCase{"FiveCascadeTheFifth",
                         5,
                         LeftPanel,
                         false,
                         {QRect(40, 0, 500, 350), QRect(540, 0, 500, 350), QRect(40, 350, 500, 350),
                          QRect(540, 350, 500, 350), QRect(65, 25, 500, 350)}},
        TArrangementCase{"EightCascadeByTheStep",
                         8,
                         TopPanel,
                         false,
                         {QRect(0, 30, 500, 350), QRect(500, 30, 500, 350), QRect(0, 380, 500, 350),
                          QRect(500, 380, 500, 350), QRect(25, 55, 500, 350),
                          QRect(50, 80, 500, 350), QRect(75, 105, 500, 350),
                          QRect(100, 130, 500, 350)}},
        TArrangementCase{"AlwaysMaximize", 3, TopPanel, true, {TopPanel, TopPanel, TopPanel}}),
    [](const testing::TestParamInfo<TArrangementCase>& info) { return info.param.Name; });

TEST(WindowArrangementCascadeTest, StartsAgainAfterAQuarterOfTheArea) {
    // 200 × 100 halves with a step of 25: four steps fit, the fifth cascaded window starts over.
    const Rects places = ArrangeDiagramWindows(13, QRect(0, 0, 400, 200), 25, false);
    ASSERT_EQ(places.size(), 13u);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(places[4 + k].topLeft(), QPoint(25 * k + 25, 25 * k + 25)) << k;
    EXPECT_EQ(places[8].topLeft(), QPoint(25, 25));
    EXPECT_EQ(places[12].topLeft(), QPoint(25, 25));
    EXPECT_EQ(places[12].size(), QSize(200, 100));
}

} // namespace
