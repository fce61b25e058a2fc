// Comparing two stations' diagrams through the client's windows.

#include "app/commands.h"
#include "diagram/diag_window.h"
#include "frame_fixture.h"

#include <QScreen>

namespace {

using Strings = std::vector<std::string>;

class ComparisonTest : public FrameTest {
protected:
    ComparisonTest() {
        for (const char* name : {"Berlin/Deutschland", "Bern/Schweiz", "Kairo/Aegypten"})
            AddStation(name, 0, 40);
        Windows().Open({0, 1, 2});
    }
    TDiagFrame& FrameOf(const std::string& name) { return *Windows().FrameOf(Station(name)); }
    TDiagWindow& ViewOf(const std::string& name) { return FrameOf(name).View(); }
    int VisibleWindows() {
        int visible = 0;
        for (const auto& link : Windows().WindowLinks())
            visible += link.Window->isVisible();
        return visible;
    }
    // Berlin's window compares with the station of the partner list's line.
    void CompareBerlinWith(int line, Strings* listed = nullptr) {
        Ui.Steps.push_back(ChooseLines({line}, listed));
        ViewOf("Berlin/Deutschland").RunCommand(DmCompare);
    }
};

TEST_F(ComparisonTest, TheComparingWindowAloneTakesTheWorkArea) {
    ASSERT_EQ(VisibleWindows(), 3);
    Strings listed;
    CompareBerlinWith(1, &listed);
    EXPECT_EQ(listed, (Strings{"Bern/Schweiz", "Kairo/Aegypten"}));
    TDiagWindow& berlin = ViewOf("Berlin/Deutschland");
    EXPECT_EQ(berlin.Comparison(), Station("Kairo/Aegypten"));
    EXPECT_EQ(Windows().ComparisonFrame(), &FrameOf("Berlin/Deutschland"));
    EXPECT_EQ(VisibleWindows(), 1);
    EXPECT_EQ(FrameOf("Berlin/Deutschland").frameGeometry().size(),
              Frame->screen()->availableGeometry().size());

    // Partners follow in window order and pass over the comparing window.
    berlin.Step(true);
    EXPECT_EQ(berlin.Comparison(), Station("Bern/Schweiz"));
    berlin.Step(true);
    EXPECT_EQ(berlin.Comparison(), Station("Kairo/Aegypten"));

    // Ended, every window is laid out again.
    berlin.RunCommand(DmCompare);
    EXPECT_EQ(Windows().ComparisonFrame(), nullptr);
    EXPECT_EQ(VisibleWindows(), 3);
}

// The partner list is in the order of the names, whatever the order of the windows.
TEST_F(ComparisonTest, PartnersAreListedByName) {
    Windows().Close({Station("Bern/Schweiz")});
    Windows().Open({1});
    Strings listed;
    Ui.Steps.push_back(ChooseLines({0}, &listed));
    ViewOf("Berlin/Deutschland").RunCommand(DmCompare);
    EXPECT_EQ(listed, (Strings{"Bern/Schweiz", "Kairo/Aegypten"}));
}

// The map brought back while the partner list is open keeps the comparing window hidden; it
// comes alone when the diagrams are on show again.
TEST_F(ComparisonTest, TheMapOnShowKeepsEveryDiagramHidden) {
    Ui.Steps.push_back([this](QDialog& dialog) {
        Frame->showNormal();
        return ChooseLines({1})(dialog);
    });
    ViewOf("Berlin/Deutschland").RunCommand(DmCompare);
    EXPECT_TRUE(ViewOf("Berlin/Deutschland").IsComparing());
    EXPECT_FALSE(Frame->isMinimized());
    EXPECT_EQ(VisibleWindows(), 0);
    Run(CmToDiagram);
    EXPECT_EQ(VisibleWindows(), 1);
    EXPECT_TRUE(FrameOf("Berlin/Deutschland").isVisible());
}

// Quitting while a window compares ends the program, not just the comparison.
TEST_F(ComparisonTest, QuittingWhileComparingClosesEveryWindow) {
    CompareBerlinWith(1);
    Ui.Answers.push_back(TUserInterface::TAnswer::No); // quit without saving
    EXPECT_TRUE(Frame->close());
    EXPECT_EQ(Windows().Count(), 0);
    EXPECT_EQ(Windows().ComparisonFrame(), nullptr);
}

TEST_F(ComparisonTest, ACancelledChoiceChangesNothing) {
    ViewOf("Berlin/Deutschland").RunCommand(DmCompare);
    EXPECT_EQ(Ui.Shown, Strings{"Dialog: Ortauswahl"});
    EXPECT_FALSE(ViewOf("Berlin/Deutschland").IsComparing());
    EXPECT_EQ(VisibleWindows(), 3);
}

TEST_F(ComparisonTest, ClosingThePartnersWindowEndsTheComparison) {
    CompareBerlinWith(0);
    Windows().Close({Station("Bern/Schweiz")});
    EXPECT_FALSE(ViewOf("Berlin/Deutschland").IsComparing());
    EXPECT_EQ(Windows().ComparisonFrame(), nullptr);

    // Closing the comparing window through its own key takes two presses.
    CompareBerlinWith(0);
    FrameOf("Berlin/Deutschland").close();
    EXPECT_EQ(Windows().Count(), 2);
    EXPECT_FALSE(ViewOf("Berlin/Deutschland").IsComparing());
    FrameOf("Berlin/Deutschland").close();
    EXPECT_EQ(Windows().Count(), 1);
}

TEST_F(ComparisonTest, TheViewReachesTheMainFramesCommands) {
    TDiagWindow& kairo = ViewOf("Kairo/Aegypten");
    kairo.RunCommand(DmToMap);
    EXPECT_FALSE(Frame->isMinimized());
    EXPECT_EQ(VisibleWindows(), 0);

    Frame->showMinimized();
    ViewOf("Kairo/Aegypten").RunCommand(DmCloseAll);
    EXPECT_EQ(Windows().Count(), 0);
    EXPECT_FALSE(Frame->isMinimized());
}

TEST_F(ComparisonTest, WithOneWindowThereIsNobodyToCompareWith) {
    Windows().Close({Station("Bern/Schweiz"), Station("Kairo/Aegypten")});
    TDiagWindow& berlin = ViewOf("Berlin/Deutschland");
    berlin.RunCommand(DmCompare);
    EXPECT_TRUE(Ui.Shown.empty());
    berlin.PopupMenu();
    EXPECT_FALSE(berlin.Action(DmCompare)->isEnabled());
}

} // namespace
