#include "app/commands.h"
#include "app/window_arrangement.h"
#include "diagram/diag_window.h"
#include "frame_fixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTest>

namespace {

using Strings = std::vector<std::string>;

class DiagramWindowsTest : public FrameTest {
protected:
    DiagramWindowsTest() {
        AddStation("Berlin/Deutschland", -13, 52);
        AddStation("Kairo/Aegypten", -31, 30);
        AddStation("Paris/Frankreich", -2, 49);
        AddStation("Wien/Oesterreich", -16, 48);
    }
    std::vector<int> All() const {
        std::vector<int> all(static_cast<std::size_t>(Database.Count()));
        std::iota(all.begin(), all.end(), 0);
        return all;
    }
    std::vector<QRect> Places() const {
        std::vector<QRect> places;
        for (const auto& link : Windows().WindowLinks())
            places.push_back(link.Window->frameGeometry());
        return places;
    }
    int Visible() const {
        return static_cast<int>(
            std::count_if(Windows().WindowLinks().begin(), Windows().WindowLinks().end(),
                          [](const auto& link) { return link.Window->isVisible(); }));
    }
    QRect WorkArea() const { return Frame->screen()->availableGeometry(); }
};

TEST_F(DiagramWindowsTest, EightyWindowsAtMost) {
    for (int i = 0; static_cast<int>(Database.Count()) < 83; ++i)
        AddStation("Station " + std::to_string(i), i % 90, i % 60);
    std::vector<int> first = All();
    first.resize(79);
    Windows().Open(first);
    ASSERT_EQ(Windows().Count(), 79);
    Windows().Open({79, 80, 81});
    EXPECT_EQ(Windows().Count(), 80);
    EXPECT_TRUE(Windows().FrameOf(&Database.RecordAt(79)));
    EXPECT_EQ(Ui.Shown, Strings{"Warnung: Es können nur maximal 80 Diagramme gleichzeitig "
                                "angezeigt werden!\n\nDie Auswahl wurde entsprechend reduziert."});

    Ui.Shown.clear();
    Frame->showNormal();
    Windows().Open({82});
    EXPECT_EQ(Ui.Shown,
              Strings{"Fehler: Es können nur maximal 80 Diagramme gleichzeitig angezeigt werden!"});
    EXPECT_EQ(Windows().Count(), 80);
    EXPECT_FALSE(Frame->isMinimized()); // nothing changed
    EXPECT_FALSE(Database.RecordAt(82).IsDisplayed());
}

TEST_F(DiagramWindowsTest, AStationOnShowGetsNoSecondWindow) {
    Windows().Open({0});
    TDiagFrame* berlin = Windows().FrameOf(Station("Berlin/Deutschland"));
    Frame->showNormal();
    Windows().Open({0, 0});
    EXPECT_EQ(Windows().Count(), 1);
    EXPECT_EQ(Windows().FrameOf(Station("Berlin/Deutschland")), berlin);
    EXPECT_TRUE(Frame->isMinimized()); // the diagrams are on show again
    EXPECT_TRUE(berlin->isVisible());
}

// Diagrams and map take turns, whether the program or the window manager changes the state of
// the main frame.
TEST_F(DiagramWindowsTest, ArrangedWhileTheFrameIsMinimisedAndHiddenWhileItIsRestored) {
    Windows().Open({0, 1, 2});
    EXPECT_TRUE(Frame->isMinimized());
    EXPECT_EQ(Visible(), 3);
    EXPECT_EQ(Places(), ArrangeDiagramWindows(3, WorkArea(), 0, false));
    EXPECT_EQ(Windows().FrameOf(Station("Paris/Frankreich"))->windowTitle(), "Paris/Frankreich");
    for (const int id : {CmToDiagram, CmCloseAll})
        EXPECT_TRUE(Frame->Action(id)->isEnabled()) << id;
    for (const int id : {CmReload, CmImport})
        EXPECT_FALSE(Frame->Action(id)->isEnabled()) << id;

    Frame->showNormal();
    EXPECT_EQ(Visible(), 0);
    EXPECT_TRUE(Client->WorldMapShown()); // Kairo lies outside Europe
    Run(CmToDiagram);
    EXPECT_TRUE(Frame->isMinimized());
    EXPECT_EQ(Visible(), 3);
}

TEST_F(DiagramWindowsTest, AlwaysMaximizeGivesEveryWindowTheWholeAreaTheActiveOnTop) {
    Settings.AlwaysMaximize = true;
    Windows().Open({0, 1, 2});
    EXPECT_EQ(Places(), std::vector<QRect>(3, WorkArea()));
    TDiagFrame* last = Windows().WindowLinks().back().Window;
    ASSERT_TRUE(QTest::qWaitForWindowActive(last));
    EXPECT_EQ(Windows().ActiveFrame(), last);
    EXPECT_EQ(Windows().CurrentStation(), Station("Paris/Frankreich"));

    // The active window stays on top when the diagrams come back.
    TDiagFrame* first = Windows().WindowLinks().front().Window;
    first->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(first));
    Frame->showNormal();
    Frame->showMinimized();
    EXPECT_TRUE(QTest::qWaitForWindowActive(first));
    EXPECT_EQ(Windows().ActiveFrame(), first);
}

TEST_F(DiagramWindowsTest, ClosingOneArrangesTheRestClosingTheLastBringsBackTheMap) {
    Windows().Open({0, 2, 3});
    EXPECT_FALSE(Client->WorldMapShown()); // all three in Europe
    EXPECT_EQ(Client->ToolId("Berlin/Deutschland"), 60000);
    Windows().FrameOf(Station("Paris/Frankreich"))->close();
    EXPECT_EQ(Places(), ArrangeDiagramWindows(2, WorkArea(), 0, false));
    EXPECT_FALSE(Client->ToolId("Paris/Frankreich"));
    EXPECT_FALSE(Station("Paris/Frankreich")->IsDisplayed());

    QTest::keyClick(&Windows().FrameOf(Station("Berlin/Deutschland"))->View(), Qt::Key_Escape);
    Windows().WindowLinks().front().Window->close();
    EXPECT_EQ(Windows().Count(), 0);
    EXPECT_FALSE(Frame->isMinimized());
    EXPECT_TRUE(Client->WorldMapShown());
    Windows().Open({1});
    EXPECT_EQ(Client->ToolId("Kairo/Aegypten"), 60000);
}

TEST_F(DiagramWindowsTest, CloseAllLeavesTheOthersWhereTheyAreAndTheLastBringsBackTheMap) {
    Windows().Open(All());
    const std::vector<QRect> before = Places();
    Windows().Close({Station("Kairo/Aegypten")});
    EXPECT_EQ(Windows().Count(), 3);
    EXPECT_EQ(Places()[1], before[2]);

    Run(CmCloseAll);
    EXPECT_EQ(Windows().Count(), 0);
    EXPECT_FALSE(Frame->isMinimized());
    for (const int id : {CmToDiagram, CmCloseAll})
        EXPECT_FALSE(Frame->Action(id)->isEnabled()) << id;
    Windows().Open({3});
    EXPECT_EQ(Client->ToolId("Wien/Oesterreich"), 60000);
}

// With all stations on show a closed window takes no marker away, and no id is given twice.
TEST_F(DiagramWindowsTest, AllStationsKeepTheirTooltipsWhenWindowsClose) {
    Run(CmAllStations);
    Windows().Open({0});
    Run(CmCloseAll);
    EXPECT_EQ(Client->ToolId("Berlin/Deutschland"), 60000);
    Run(CmAllStations);
    Windows().Open({1});
    EXPECT_EQ(Client->ToolId("Kairo/Aegypten"), 60004);

    // Back from all stations, the open ones keep their markers.
    Run(CmAllStations);
    Run(CmAllStations);
    EXPECT_TRUE(Client->ToolId("Kairo/Aegypten"));
    EXPECT_FALSE(Client->ToolId("Berlin/Deutschland"));
}

// A frame that goes while the map is on show is not kept as the active one.
TEST_F(DiagramWindowsTest, AClosedActiveFrameIsForgottenEvenOnHold) {
    Windows().Open({0, 1});
    TDiagFrame* last = Windows().WindowLinks().back().Window;
    ASSERT_TRUE(QTest::qWaitForWindowActive(last));
    Frame->showNormal();
    last->close();
    EXPECT_EQ(Windows().ActiveFrame(), nullptr);
    EXPECT_EQ(Windows().CurrentStation(), nullptr);
}

TEST_F(DiagramWindowsTest, AnEmptyChoiceOpensNothingAndChangesNothing) {
    Ui.Steps.push_back([](QDialog& dialog) {
        dialog.findChild<QListWidget*>(QStringLiteral("4202"))->clearSelection();
        return static_cast<int>(QDialog::Accepted);
    });
    Run(CmChoose);
    EXPECT_EQ(Windows().Count(), 0);
    EXPECT_FALSE(Frame->isMinimized());
}

// One question, then every window goes at once, and the map does not come back.
TEST_F(DiagramWindowsTest, QuittingClosesTheDiagramsWithTheFrame) {
    Windows().Open(All());
    Ui.Answers.push_back(TUserInterface::TAnswer::No); // quit without saving
    EXPECT_TRUE(Frame->close());
    EXPECT_EQ(Ui.Shown.size(), 1u);
    EXPECT_EQ(Windows().Count(), 0);
    EXPECT_TRUE(Frame->isMinimized());
    EXPECT_FALSE(Frame->isVisible());
}

// With all stations on show, deleting the last of them ends the mode, so that reloading and
// importing come back.
TEST_F(DiagramWindowsTest, AllStationsEndsWithTheLastStation) {
    Run(CmAllStations);
    Ui.Steps = {Enter("."), ChooseLines({0, 1, 2, 3})};
    Ui.Answers.push_back(TUserInterface::TAnswer::Yes);
    Run(CmDelete);
    ASSERT_EQ(Database.Count(), 0);
    EXPECT_FALSE(Client->AllStationsShown());
    EXPECT_FALSE(Frame->Action(CmAllStations)->isChecked());
    for (const int id : {CmReload, CmImport})
        EXPECT_TRUE(Frame->Action(id)->isEnabled()) << id;
}

TEST_F(DiagramWindowsTest, ChooseFromTheListAndSearch) {
    Ui.Steps.push_back(ChooseLines({0, 3}));
    Run(CmChoose);
    Strings shown;
    for (const auto& link : Windows().WindowLinks())
        shown.push_back(link.Station->Place().Name());
    EXPECT_EQ(shown, (Strings{"Berlin/Deutschland", "Wien/Oesterreich"}));

    Frame->showNormal();
    Ui.Shown.clear();
    Ui.Steps.push_back(Enter("^Kai"));
    Run(CmSearch);
    EXPECT_TRUE(Windows().FrameOf(Station("Kairo/Aegypten")));
    Ui.Steps.push_back([](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("4090"))->text(), "^Kai");
        dialog.findChild<QLineEdit*>(QStringLiteral("4090"))->setText("xyz");
        return static_cast<int>(QDialog::Accepted);
    });
    Run(CmSearch);
    EXPECT_EQ(Ui.Shown, (Strings{"Dialog: Suche Station...", "Dialog: Suche Station...",
                                 "Info: Es konnte keine Station gefunden werden!"}));
}

} // namespace

namespace {

class StatusHintTest : public FrameTest {
protected:
    QWidget* Hint() const {
        return Frame->statusBar()->findChild<QWidget*>(QStringLiteral("hint"));
    }
};

// The hint speaks only while nothing else does and no diagram is open.
TEST_F(StatusHintTest, TheHintGivesWayToMessagesAndDiagrams) {
    AddStation("Berlin/Deutschland", -13, 52);
    Frame->UpdateCommands();
    ASSERT_NE(Hint(), nullptr);
    EXPECT_TRUE(Hint()->isVisible());
    Frame->statusBar()->showMessage(QStringLiteral("Datenbank gesichert"));
    EXPECT_FALSE(Hint()->isVisible());
    Frame->statusBar()->clearMessage();
    EXPECT_TRUE(Hint()->isVisible());

    Windows().Open({0});
    EXPECT_TRUE(Hint()->isHidden());
    Windows().CloseAll();
    Frame->statusBar()->showMessage(QStringLiteral("Diagramme gelöscht"));
    Frame->statusBar()->clearMessage();
    EXPECT_TRUE(Hint()->isVisible());
}

} // namespace
