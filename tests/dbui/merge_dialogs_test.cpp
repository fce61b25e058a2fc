#include "database/database_mgr.h"
#include "dbui/dialog_placement.h"
#include "dbui/merge_dialogs.h"
#include "model/windows1252.h"
#include "support/scripted_user_interface.h"
#include "support/stations.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextDocumentFragment>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using TQuery = DbUI::TDbUIMerge::TDbUIMergeQueryDialog;
using Texts = std::vector<std::string>;

template <typename Control>
Control* ControlOf(QWidget& dialog, int id) {
    return dialog.findChild<Control*>(QString::number(id));
}

std::string TextOf(QWidget& dialog, int id) {
    return ControlOf<QLabel>(dialog, id)->text().toStdString();
}

TDiagramData Station(const char* utf8Name, TDiagramData::TCoords coords, int altitude,
                     double january = 0.5) {
    TDiagramData station = MakeStation(*Windows1252::FromUtf8(utf8Name),
                                       {january, 1, 4, 8, 13, 16, 18, 17, 14, 9, 5, 2},
                                       {43, 33, 39, 42, 55, 69, 56, 58, 45, 37, 44, 55});
    station.SetCoords(coords);
    station.SetAltitude(TDiagramData::TAltitude(altitude));
    return station;
}

const TDiagramData::TCoords AtBerlin{52, 31, 13, 24, true, false};
const TDiagramData Berlin = Station("Berlin/Deutschland", AtBerlin, 34);
// Other values under the same name: always a question, never an add.
const TDiagramData BerlinChanged = Station("Berlin/Deutschland", AtBerlin, 34, -0.4);
// Similar to Berlin (grade 4) under another name.
const TDiagramData Tegel = Station("Berlin-Tegel/Deutschland", AtBerlin, 34);
const TDiagramData Hamburg = Station("Hamburg/Deutschland", {53, 33, 10, 0, true, false}, 6);
const TDiagramData HamburgChanged =
    Station("Hamburg/Deutschland", {53, 33, 10, 0, true, false}, 6, 1.3);
const TDiagramData Muenchen = Station("München/Deutschland", {48, 8, 11, 34, true, false}, 519);
const TDiagramData Sydney = Station("Sydney/Australien", {33, 52, 151, 12, false, false}, 58);

class MergeDialogTest : public testing::Test {
protected:
    // Starts the database afresh with these stations.
    void Fill(std::initializer_list<TDiagramData> stations) {
        Database.Clear();
        for (const TDiagramData& station : stations)
            Database.Add(station, false);
    }

    // Merges the stations and gives the status dialog's counters as it shows them at the end:
    // identical, added, replaced, ignored.
    std::string Merge(const std::vector<TDiagramData>& incoming) {
        std::string shown;
        {
            DbUI::GUIMergeHandler handler(&Frame, Ui);
            QDialog* status = Frame.findChild<QDialog*>("44");
            EXPECT_TRUE(status && status->isVisible());
            Database.MergeList(incoming, &handler);
            for (int id = 4401; id <= 4404; ++id)
                shown += (id == 4401 ? "" : " ") + TextOf(*status, id);
            const auto& counts = handler.Counts();
            EXPECT_EQ(shown, std::to_string(counts.Identical) + " " + std::to_string(counts.Added) +
                                 " " + std::to_string(counts.Replaced) + " " +
                                 std::to_string(counts.Ignored));
        }
        EXPECT_EQ(Frame.findChild<QDialog*>("44"), nullptr);
        return shown;
    }

    // A step that notes the incoming station's name and presses the button.
    std::function<int(QDialog&)> Press(int id) {
        return [this, id](QDialog& dialog) {
            Asked.push_back(TextOf(dialog, 4503));
            ControlOf<QPushButton>(dialog, id)->click();
            return dialog.result();
        };
    }

    Texts Names() const {
        Texts names;
        for (int i = 0; i < Database.Count(); ++i)
            names.push_back(Windows1252::ToUtf8(Database.RecordAt(i).Place().Name()));
        return names;
    }

    QWidget Frame;
    TScriptedUserInterface Ui;
    TDatabaseMgr Database{"", false, false};
    Texts Asked;
};

TEST_F(MergeDialogTest, IdenticalStationsAreCountedWithoutAQuestion) {
    Fill({Berlin, Hamburg, Muenchen});
    EXPECT_EQ(Merge({Berlin, Hamburg, Muenchen}), "3 0 0 0");
    EXPECT_TRUE(Ui.Shown.empty());
    EXPECT_EQ(Database.Count(), 3);
}

TEST_F(MergeDialogTest, CountsIdenticalAddedReplacedAndIgnored) {
    Fill({Berlin, Muenchen});
    Ui.Steps.push_back([this](QDialog& dialog) {
        // The status dialog stands behind the question and already shows what went before.
        QWidget* status = dialog.parentWidget();
        EXPECT_EQ(status->objectName(), "44");
        EXPECT_EQ(status->windowTitle(), QString::fromUtf8("Zusammenführen"));
        EXPECT_EQ(status->findChild<QGroupBox*>()->title(), "Datenbank-Status");
        EXPECT_TRUE(status->isVisible());
        EXPECT_EQ(TextOf(*status, 4401), "0");
        EXPECT_EQ(dialog.objectName(), "45");
        EXPECT_EQ(TextOf(dialog, 4501), "Berlin/Deutschland");
        EXPECT_EQ(TextOf(dialog, 4502), "52°31'N/13°24'E, 34m");
        EXPECT_EQ(TextOf(dialog, 4504), "52°31'N/13°24'E, 34m");
        return Press(TQuery::Ignore)(dialog);
    });
    Ui.Steps.push_back([this](QDialog& dialog) {
        EXPECT_EQ(TextOf(*dialog.parentWidget(), 4404), "1");
        return Press(TQuery::Replace)(dialog);
    });
    EXPECT_EQ(Merge({Tegel, BerlinChanged, Muenchen, Sydney}), "1 1 1 1");
    EXPECT_EQ(Asked, (Texts{"Berlin-Tegel/Deutschland", "Berlin/Deutschland"}));
    EXPECT_EQ(Names(), (Texts{"Berlin/Deutschland", "München/Deutschland", "Sydney/Australien"}));
    EXPECT_TRUE(Database.RecordAt(0).IsIdentical(BerlinChanged));
}

// A single decision asks again at the next case (here ignored); closing the dialog ignores.
TEST_F(MergeDialogTest, SingleDecisionsAndStandingDecisions) {
    const std::function<int(QDialog&)> close = [](QDialog& dialog) {
        dialog.show();
        dialog.close();
        return dialog.result();
    };
    const Texts kept{"Berlin/Deutschland", "Hamburg/Deutschland"};
    const Texts replaced{"Berlin-Tegel/Deutschland", "Hamburg/Deutschland"};
    const Texts both{"Berlin-Tegel/Deutschland", "Berlin/Deutschland", "Hamburg/Deutschland"};
    struct TCase {
        std::function<int(QDialog&)> Step;
        const char* Counts;
        Texts Names;
        std::size_t Questions;
        bool HamburgReplaced;
    };
    const TCase cases[] = {
        {Press(TQuery::Replace), "0 0 1 1", replaced, 2, false},
        {Press(TQuery::Ignore), "0 0 0 2", kept, 2, false},
        {Press(TQuery::Add), "0 1 0 1", both, 2, false},
        {close, "0 0 0 2", kept, 2, false},
        {Press(TQuery::ReplaceAll), "0 0 2 0", replaced, 1, true},
        {Press(TQuery::IgnoreAll), "0 0 0 2", kept, 1, false},
        // Added once; the same-named Hamburg cannot be added beside the old one: ignored.
        {Press(TQuery::AddAll), "0 1 0 1", both, 1, false},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Counts);
        Fill({Berlin, Hamburg});
        Ui.Shown.clear();
        Ui.Steps = {test.Step, Press(TQuery::Ignore)};
        EXPECT_EQ(Merge({Tegel, HamburgChanged}), test.Counts);
        EXPECT_EQ(Ui.Shown.size(), test.Questions);
        EXPECT_EQ(Names(), test.Names);
        EXPECT_TRUE(Database.RecordAt(Database.Count() - 1)
                        .IsIdentical(test.HamburgReplaced ? HamburgChanged : Hamburg));
    }
}

TEST(MergeQueryDialogTest, SixButtonsInOrderAddOnlyForDifferentNames) {
    const auto enabled = [](const TDiagramData& existing, const TDiagramData& incoming) {
        TQuery dialog(nullptr, existing, incoming);
        dialog.show();
        std::string states;
        int left = -1;
        for (int id : {4505, 4506, 4509, 4507, 4508, 4510}) {
            auto* button = ControlOf<QPushButton>(dialog, id);
            EXPECT_GT(button->x(), left);
            left = button->x();
            states += button->isEnabled() ? '1' : '0';
        }
        return states;
    };
    EXPECT_EQ(enabled(Berlin, BerlinChanged), "110110");
    EXPECT_EQ(enabled(Berlin, Tegel), "111111");

    // A disabled button cannot end the dialog; in a merge that is a close, so an ignore.
    TQuery dialog(nullptr, Berlin, BerlinChanged);
    ControlOf<QPushButton>(dialog, TQuery::Add)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(ControlOf<QPushButton>(dialog, TQuery::Ignore)->isDefault());
}

// The question stands below the counters and inside the screen.
TEST_F(MergeDialogTest, TheQuestionStandsBelowTheCounters) {
    Fill({Berlin});
    Ui.Steps.push_back([](QDialog& dialog) {
        const QWidget& status = *dialog.parentWidget();
        // Not shown yet, the question stands where its contents will be.
        const QMargins frame = FrameMargins(dialog);
        const QRect question(dialog.pos() - QPoint(frame.left(), frame.top()),
                             dialog.sizeHint().grownBy(frame));
        EXPECT_GT(question.top(), status.frameGeometry().bottom());
        EXPECT_TRUE(status.screen()->availableGeometry().contains(question));
        return QDialog::Rejected;
    });
    EXPECT_EQ(Merge({BerlinChanged}), "0 0 0 1");
}

// A long name is shortened in the middle to the width a name always had and is whole in its
// tooltip, so that the question with its buttons fits a small screen.
TEST(MergeQueryDialogTest, LongNamesAreShortenedInTheMiddleAndWholeInTheTooltip) {
    std::string longName = "Berlin-";
    for (int part = 0; part < 400; ++part)
        longName += "Ortsteil-<b>";
    longName += "Ende/Deutschland";
    const TDiagramData longBerlin = Station(longName.c_str(), AtBerlin, 34);
    const auto plain = [](const QString& toolTip) {
        return QTextDocumentFragment::fromHtml(toolTip).toPlainText().toStdString();
    };
    TQuery shortNames(nullptr, Berlin, Tegel);
    shortNames.show();
    for (const auto& [existing, incoming] :
         {std::pair{Berlin, longBerlin}, {longBerlin, Berlin}, {longBerlin, longBerlin}}) {
        TQuery dialog(nullptr, existing, incoming);
        dialog.show();
        for (const auto& [id, station] : {std::pair{4501, &existing}, {4503, &incoming}}) {
            const std::string name = station->Place().Name();
            auto* label = ControlOf<QLabel>(dialog, id);
            if (name == longName) {
                EXPECT_TRUE(label->text().startsWith("Berlin-Orts"));
                EXPECT_TRUE(label->text().endsWith("/Deutschland"));
                EXPECT_TRUE(label->text().contains(QChar(0x2026)));
                EXPECT_EQ(plain(label->toolTip()), name);
            } else {
                EXPECT_EQ(label->text().toStdString(), name);
                EXPECT_TRUE(label->toolTip().isEmpty());
            }
        }
        // As large as with short names, which fits the smallest screen.
        EXPECT_EQ(dialog.size(), shortNames.size());
        EXPECT_LE(dialog.width(), 1024 - 40);
        EXPECT_LE(dialog.height(), 768 - 100);
    }
}

TEST(UpdaterTest, WorksOffWaitingEventsWhenItEnds) {
    bool ran = false;
    {
        const DbUI::Updater updater;
        QTimer::singleShot(0, [&ran] { ran = true; });
        EXPECT_FALSE(ran);
    }
    EXPECT_TRUE(ran);
}

} // namespace
