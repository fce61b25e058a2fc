// The diagram view's comparison, overlay, zero axis, stepping, keys and popup menu.

#include "app/diag_frame.h"
#include "config/tvx_config.h"
#include "diagram/diag_window.h"
#include "support/lone_diagram_owner.h"
#include "support/stations.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using TPair = std::pair<const TDiagramData*, const TDiagramData*>;

class DiagWindowTest : public testing::Test {
protected:
    DiagWindowTest() {
        Owner.Partners = {&Manaus, &Jakutsk};
        Owner.OwnSteps = {{&Manaus, 1}, {&Jakutsk, 6}};
    }
    TDiagWindow& View() { return Frame.View(); }
    // The menu as it opens now: its texts (separators empty) and which items are enabled.
    std::vector<std::string> MenuTexts() {
        std::vector<std::string> texts;
        for (const QAction* action : View().PopupMenu().actions())
            texts.push_back(action->text().toStdString());
        return texts;
    }
    bool Enabled(TDiagCommandId id) {
        View().PopupMenu();
        return View().Action(id)->isEnabled();
    }

    TTvxConfig Settings;
    TDiagramData Berlin = BerlinStation();
    TDiagramData Manaus = ManausStation();
    TDiagramData Jakutsk =
        MakeStation("Jakutsk/Russland", {-39, -35, -22, -7, 6, 15, 19, 15, 6, -8, -28, -38},
                    {9, 7, 6, 10, 16, 32, 41, 38, 25, 17, 15, 11});
    TLoneDiagramOwner Owner;
    TDiagFrame Frame{Settings, Berlin, Owner};
};

TEST_F(DiagWindowTest, AComparisonTakesThePartnersOwnScaleAndNamesBothInTheCaption) {
    View().RunCommand(DmCompare);
    EXPECT_EQ(View().Comparison(), &Manaus);
    EXPECT_EQ(Frame.windowTitle(), "Berlin/Deutschland verglichen mit Manaus/Brasilien");
    EXPECT_EQ(Owner.Pair, TPair(&Berlin, &Manaus));

    // Its own station or the present partner change nothing.
    View().SetComparison(&Berlin);
    View().SetComparison(&Manaus);
    EXPECT_EQ(View().Comparison(), &Manaus);

    // The lower diagram keeps the zero line of its own window.
    View().SetComparison(&Jakutsk);
    EXPECT_EQ(View().Content().CompareNegativeSteps, 6);
    EXPECT_EQ(View().Content().NegativeSteps, View().NegativeSteps());

    View().RunCommand(DmCompare);
    EXPECT_FALSE(View().IsComparing());
    EXPECT_EQ(Frame.windowTitle(), "Berlin/Deutschland");
    EXPECT_EQ(Owner.ComparisonsEnded, 1);
    EXPECT_EQ(Owner.Pair, TPair(&Berlin, nullptr));
}

TEST_F(DiagWindowTest, TheOverlayOnlyWhileComparingAndGoneWithTheComparison) {
    QTest::keyClick(&View(), Qt::Key_Space);
    EXPECT_FALSE(View().IsOverlayShown());
    EXPECT_FALSE(Enabled(DmOverlay));

    View().SetComparison(&Manaus);
    QTest::keyClick(&View(), Qt::Key_Space);
    EXPECT_TRUE(View().IsOverlayShown());
    EXPECT_TRUE(View().Content().ShowOverlay);
    View().SetComparison(nullptr);
    EXPECT_FALSE(View().IsOverlayShown());
}

TEST_F(DiagWindowTest, EscapeEndsTheComparisonFirstAndClosesTheSecondTime) {
    Frame.show();
    View().SetComparison(&Manaus);
    QTest::keyClick(&View(), Qt::Key_Escape);
    EXPECT_TRUE(Frame.isVisible());
    EXPECT_FALSE(View().IsComparing());
    QTest::keyClick(&View(), Qt::Key_Escape);
    EXPECT_FALSE(Frame.isVisible());
}

TEST_F(DiagWindowTest, ArrowKeysAndClicksStepThroughThePartnersWhileComparing) {
    View().SetComparison(&Manaus);
    QTest::keyClick(&View(), Qt::Key_Right);
    EXPECT_EQ(View().Comparison(), &Jakutsk);
    QTest::keyClick(&View(), Qt::Key_Right);
    EXPECT_EQ(View().Comparison(), &Manaus);
    QTest::keyClick(&View(), Qt::Key_Left);
    EXPECT_EQ(View().Comparison(), &Jakutsk);
    QTest::mouseClick(&View(), Qt::LeftButton);
    EXPECT_EQ(View().Comparison(), &Manaus);
    EXPECT_EQ(&View().Station(), &Berlin);
}

TEST_F(DiagWindowTest, TheMenuChangesItsTextsWithTheState) {
    const std::vector<std::string> alone{"&Vergleichen...\tStrg+V",
                                         "Untere Kurven oben ein&blenden\tLeertaste",
                                         "Null-Achse &fixieren\tStrg+F",
                                         "&Konfigurieren...\tStrg+K",
                                         "",
                                         "K&opieren\tStrg+C",
                                         "&Drucken...\tStrg+P",
                                         "&Speichern...\tStrg+S",
                                         "&Exportieren...\tStrg+E",
                                         "",
                                         "&Zur Karte\tStrg+Tab",
                                         "Z&ur letzten Auswahl...\tStrg+L",
                                         "A&lle Diagramme schließen\tStrg+Q",
                                         "Fenster neu &anordnen\tStrg+N"};
    EXPECT_EQ(MenuTexts(), alone);
    EXPECT_TRUE(Enabled(DmCompare));
    EXPECT_FALSE(Enabled(DmLastSelection));

    View().SetComparison(&Manaus);
    QTest::keyClick(&View(), Qt::Key_Space);
    const std::vector<std::string> texts = MenuTexts();
    EXPECT_EQ(texts[0], "&Vergleich abbrechen\tStrg+V");
    EXPECT_EQ(texts[1], "Untere Kurven oben aus&blenden\tLeertaste");

    // With one window there is nobody to compare with.
    Owner.Partners.clear();
    View().SetComparison(nullptr);
    EXPECT_FALSE(Enabled(DmCompare));
}

TEST_F(DiagWindowTest, TheZeroAxisIsFixedForEveryWindowAndChecked) {
    TDiagramData copy = Manaus;
    TDiagFrame other(Settings, copy, Owner);
    ASSERT_FALSE(TDiagWindow::ZeroAxisFixed());
    View().RunCommand(DmZeroAxis);
    EXPECT_TRUE(other.View().Content().ZeroAxisFixed);
    EXPECT_EQ(Owner.Redraws, 1);
    other.View().PopupMenu();
    EXPECT_TRUE(other.View().Action(DmZeroAxis)->isChecked());
    other.View().RunCommand(DmZeroAxis);
    EXPECT_FALSE(View().Content().ZeroAxisFixed);
    View().PopupMenu();
    EXPECT_FALSE(View().Action(DmZeroAxis)->isChecked());
}

TEST_F(DiagWindowTest, TheFramesCommandsAndHelpGoToTheMainWindow) {
    for (const TDiagCommandId id : {DmConfigure, DmCloseAll})
        View().RunCommand(id);
    View().RunCommand(DmLastSelection); // disabled: no last selection
    EXPECT_EQ(Owner.FrameCommands, (std::vector<int>{1027, 1043}));

    QTest::keyClick(&View(), Qt::Key_F1);
    EXPECT_EQ(Owner.HelpTopics, std::vector<int>{0});
    for (const TDiagCommand& command : DiagCommandTable())
        EXPECT_NE(command.HelpTopic, 0) << command.Id;
}

} // namespace
