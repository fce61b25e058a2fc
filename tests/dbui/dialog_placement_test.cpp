#include "dbui/dialog_placement.h"

#include <QDialog>
#include <QWidget>
#include <gtest/gtest.h>

// Failures show the places.
inline void PrintTo(const QPoint& point, std::ostream* out) {
    *out << '(' << point.x() << ", " << point.y() << ')';
}

namespace {

const QRect Screen(0, 0, 1024, 768);
// A panel along the top takes its part of the screen.
const QRect BelowAPanel(0, 30, 1024, 738);
const QSize Question(577, 170);

struct TPlacementCase {
    const char* What;
    QRect Counters;
    QSize Outer;
    QRect WorkArea;
    QPoint Expected;
};

const TPlacementCase PlacementCases[] = {
    {"below, centred", {388, 286, 248, 157}, Question, Screen, {224, 451}},
    {"above near the bottom", {388, 600, 248, 157}, Question, Screen, {224, 422}},
    {"at the left edge", {0, 100, 248, 157}, Question, Screen, {0, 265}},
    {"at the right edge", {800, 100, 224, 157}, Question, Screen, {447, 265}},
    {"no room above or below: at the top", {388, 300, 248, 157}, {577, 700}, Screen, {224, 0}},
    {"taller than the screen", {388, 300, 248, 157}, {577, 900}, Screen, {224, 0}},
    {"wider than the screen", {388, 286, 248, 157}, {1200, 170}, Screen, {0, 451}},
    {"above, below the panel", {388, 560, 248, 157}, {577, 600}, BelowAPanel, {224, 30}},
};

TEST(PlaceBelowTest, BelowOrAboveCentredAndInsideTheWorkArea) {
    for (const TPlacementCase& test : PlacementCases) {
        SCOPED_TRACE(test.What);
        EXPECT_EQ(PlaceBelow(test.Counters, test.Outer, test.WorkArea, 8), test.Expected);
    }
}

const TPlacementCase BesideCases[] = {
    {"right", {50, 100, 400, 470}, {480, 600}, Screen, {458, 100}},
    {"left, where only it has room", {450, 100, 500, 470}, {400, 600}, Screen, {42, 100}},
    {"no room: the right, as far as it goes", {189, 149, 646, 470}, {480, 600}, Screen, {544, 149}},
    {"no room: the left with more of it", {300, 149, 646, 470}, {480, 600}, Screen, {0, 149}},
    {"low on the screen: up", {50, 400, 400, 470}, {480, 600}, Screen, {458, 168}},
    {"below the panel", {100, 0, 400, 470}, {300, 600}, BelowAPanel, {508, 30}},
};

TEST(PlaceBesideTest, RightOrLeftLevelAndInsideTheWorkArea) {
    for (const TPlacementCase& test : BesideCases) {
        SCOPED_TRACE(test.What);
        EXPECT_EQ(PlaceBeside(test.Counters, test.Outer, test.WorkArea, 8), test.Expected);
    }
}

// The frame of a dialog is known only once the window manager framed it; before, it is taken
// to be that of the window it belongs to.
TEST(FrameMarginsTest, AWindowNotFramedYetTakesTheFrameOfItsMainWindow) {
    QWidget main;
    main.show();
    // The offscreen platform frames a window as soon as it is shown.
    const QMargins mainFrame = FrameMargins(main);
    ASSERT_FALSE(mainFrame.isNull());
    QDialog dialog(&main);
    QDialog question(&dialog);
    EXPECT_EQ(FrameMargins(question), mainFrame);
    QWidget alone;
    EXPECT_EQ(FrameMargins(alone), QMargins());
}

} // namespace
