#include "database/database_mgr.h"
#include "dbui/input_dialog.h"
#include "dbui/list_dialog.h"
#include "dbui/station_search.h"
#include "model/windows1252.h"
#include "support/scripted_user_interface.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocumentFragment>
#include <gtest/gtest.h>

namespace {

using namespace Windows1252::Literals;
using Indices = std::vector<int>;

template <typename Control>
Control* ControlOf(QDialog& dialog, int id) {
    return dialog.findChild<Control*>(QString::number(id));
}

// A step that types the text into the search field and presses "OK".
std::function<int(QDialog&)> Enter(const QString& text) {
    return [text](QDialog& dialog) {
        ControlOf<QLineEdit>(dialog, 4090)->setText(text);
        return QDialog::Accepted;
    };
}

class StationSearchTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"Berlin/Deutschland", "Bern/Schweiz", "Köln/Deutschland",
                                 "Überlingen/Deutschland", "Wien/Österreich"}) {
            TDiagramData station;
            station.SetPlace(TDiagramData::TPlace(*Windows1252::FromUtf8(name)));
            Database.Add(station, false);
        }
    }
    TDbUISearch::TResult Search(bool multiSelect = true, bool takeAll = false) {
        TDbUISearch search(Database, nullptr, Ui, LastText, multiSelect, takeAll);
        return search.Run(Chosen, &LastSelection);
    }

    TDatabaseMgr Database{"", false, false};
    TScriptedUserInterface Ui;
    QString LastText;
    Indices Chosen;
    Indices LastSelection{99};
};

TEST(InputDialogTest, OkOnlyWithText) {
    DbUI::TMyInputDialog dialog(nullptr, "Suche Station...", "Bitte:", "", 256);
    QPushButton* ok = ControlOf<QPushButton>(dialog, 1);
    EXPECT_FALSE(ok->isEnabled());
    ControlOf<QLineEdit>(dialog, 4090)->setText("b");
    EXPECT_TRUE(ok->isEnabled());
    ControlOf<QLineEdit>(dialog, 4090)->setText("");
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(ControlOf<QLineEdit>(dialog, 4090)->maxLength(), 256);
    EXPECT_EQ(ControlOf<QLabel>(dialog, 4091)->text(), "Bitte:");
}

TEST_F(StationSearchTest, OneHitIsChosenAtOnce) {
    Ui.Steps.push_back(Enter("^WIEN"));
    EXPECT_EQ(Search(), TDbUISearch::Chosen);
    EXPECT_EQ(Chosen, Indices{4});
    EXPECT_EQ(LastSelection, Indices{4});
    // No list was shown.
    EXPECT_EQ(Ui.Shown, std::vector<std::string>{"Dialog: Suche Station..."});
}

TEST_F(StationSearchTest, NothingFound) {
    Ui.Steps.push_back(Enter("xyz"));
    EXPECT_EQ(Search(), TDbUISearch::NotFound);
    EXPECT_TRUE(Chosen.empty());
    EXPECT_TRUE(LastSelection.empty());
}

TEST_F(StationSearchTest, SeveralHitsGoThroughTheList) {
    // Cancelled in the list: nothing chosen, but every hit is the last selection.
    Ui.Steps.push_back(Enter("ber"));
    EXPECT_EQ(Search(), TDbUISearch::Cancelled);
    EXPECT_TRUE(Chosen.empty());
    EXPECT_EQ(LastSelection, (Indices{0, 1, 3}));
    EXPECT_EQ(Ui.Shown.back(), "Dialog: Ortauswahl");

    // The last text is offered again; two lines are chosen.
    Ui.Steps.push_back([](QDialog& dialog) {
        EXPECT_EQ(ControlOf<QLineEdit>(dialog, 4090)->text(), "ber");
        return QDialog::Accepted;
    });
    Ui.Steps.push_back([](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), "42");
        auto* stations = ControlOf<QListWidget>(dialog, 4202);
        stations->item(2)->setSelected(true);
        return QDialog::Accepted;
    });
    EXPECT_EQ(Search(), TDbUISearch::Chosen);
    EXPECT_EQ(Chosen, (Indices{0, 3})); // the first line is preselected

    // Taking all hits asks nothing more.
    Ui.Steps.push_back(Enter("deutsch"));
    EXPECT_EQ(Search(true, true), TDbUISearch::Chosen);
    EXPECT_EQ(Chosen, (Indices{0, 2, 3}));
}

TEST_F(StationSearchTest, SingleSelectionListAndCancelledInput) {
    LastText = "alt";
    Ui.Steps.push_back(Enter("^b"));
    Ui.Steps.push_back([](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), "43");
        auto* stations = ControlOf<QListWidget>(dialog, 4202);
        EXPECT_EQ(stations->selectionMode(), QAbstractItemView::SingleSelection);
        stations->setCurrentRow(1);
        return QDialog::Accepted;
    });
    EXPECT_EQ(Search(false), TDbUISearch::Chosen);
    EXPECT_EQ(Chosen, Indices{1});

    // Cancelled in the input dialog: the last text stays.
    EXPECT_EQ(Search(), TDbUISearch::Cancelled);
    EXPECT_EQ(LastText, "^b");
}

TEST_F(StationSearchTest, ListDialogCountsPreselectsAndScrollsBothListsTogether) {
    TDatabaseMgr many("", false, false);
    for (int i = 0; i < 120; ++i) {
        TDiagramData station;
        station.SetPlace(TDiagramData::TPlace("Ort " + std::to_string(1000 + i)));
        station.SetAltitude(TDiagramData::TAltitude(i));
        many.Add(station, false);
    }
    TDbUISearch::TDbUIListDialog dialog(many, nullptr, true);
    for (int i = 0; i < 120; ++i)
        dialog.Add(i);
    EXPECT_EQ(ControlOf<QLabel>(dialog, 4201)->text(), "120 Stationen gefunden");
    auto* stations = ControlOf<QListWidget>(dialog, 4202);
    auto* positions = ControlOf<QListWidget>(dialog, 4203);
    EXPECT_FALSE(positions->isEnabled());
    EXPECT_EQ(dialog.Selection(), Indices{0});
    EXPECT_EQ(positions->item(7)->text(), QString::fromUtf8("0°N/0°W, 7m"));

    dialog.show();
    stations->verticalScrollBar()->setValue(40);
    EXPECT_EQ(positions->verticalScrollBar()->value(), 40);
    stations->setCurrentRow(110);
    EXPECT_GT(stations->verticalScrollBar()->value(), 40);
    EXPECT_EQ(positions->verticalScrollBar()->value(), stations->verticalScrollBar()->value());
    EXPECT_EQ(stations->indexAt(QPoint(2, 2)).row(), positions->indexAt(QPoint(2, 2)).row());
}

// A list dialog with these stations, shown.
class ListDialogTest : public testing::Test {
protected:
    void Show(const std::vector<std::string>& names) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            TDiagramData station;
            station.SetPlace(TDiagramData::TPlace(names[i]));
            station.SetAltitude(TDiagramData::TAltitude(static_cast<int>(i)));
            Database.Add(station, false);
        }
        for (int i = 0; i < Database.Count(); ++i)
            Dialog.Add(i);
        Dialog.show();
    }

    TDatabaseMgr Database{"", false, false};
    TDbUISearch::TDbUIListDialog Dialog{Database, nullptr, true};
    QListWidget* Stations = ControlOf<QListWidget>(Dialog, 4202);
    QListWidget* Positions = ControlOf<QListWidget>(Dialog, 4203);
};

// Long names are cut at the list's edge rather than scrolled sideways, so that every name stays
// beside its position down to the last line; the tooltip shows the whole name, not as markup.
TEST_F(ListDialogTest, LongNamesAreCutAndWholeInTheirTooltips) {
    std::vector<std::string> names;
    for (int i = 0; i < 60; ++i) {
        std::string name = "Ort " + std::to_string(1000 + i) + " <b>";
        for (int word = 0; word < 30; ++word)
            name += " mit vielen Worten";
        names.push_back(name + "</b>/Testland");
    }
    names.push_back("Köln/Deutschland"_cp1252);
    Show(names);

    Stations->setCurrentRow(Stations->count() - 1);
    EXPECT_FALSE(Stations->horizontalScrollBar()->isVisible());
    EXPECT_LE(Stations->visualItemRect(Stations->item(0)).width(), Stations->viewport()->width());
    EXPECT_EQ(Stations->indexAt(QPoint(2, 2)).row(), Positions->indexAt(QPoint(2, 2)).row());
    for (int line = 0; line < Stations->count(); ++line) {
        const QListWidgetItem* item = Stations->item(line);
        EXPECT_EQ(QTextDocumentFragment::fromHtml(item->toolTip()).toPlainText(), item->text());
    }
}

// The positions go along with the stations and take no input, yet read as well as the names.
TEST_F(ListDialogTest, PositionsAreInertButInTheNormalTextColour) {
    Show({"Berlin/Deutschland", "Bern/Schweiz"});
    EXPECT_FALSE(Positions->isEnabled());
    const QPalette normal = Stations->palette();
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::Base})
        EXPECT_EQ(Positions->palette().color(QPalette::Disabled, role),
                  normal.color(QPalette::Active, role));

    // And so it is drawn: the darkest point of the list is as dark as the normal text.
    const QImage drawn = Positions->viewport()->grab().toImage();
    int darkest = 255;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            darkest = std::min(darkest, qGray(drawn.pixel(x, y)));
    EXPECT_LT(std::abs(darkest - qGray(normal.color(QPalette::Active, QPalette::Text).rgb())), 48);
}

} // namespace
