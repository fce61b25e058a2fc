#include "database/database_mgr.h"
#include "dbui/change_dialog.h"
#include "dbui/edit_checks.h"
#include "model/windows1252.h"
#include "support/scripted_user_interface.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using TDialog = TDbUIChange::TDbUIChangeDiagDialog;
using Messages = std::vector<std::string>;

const std::string JulyMessage =
    "Fehler: Datenbank: Temperatur für Monat Juli außerhalb des gültigen Bereichs: 61.0";

template <typename Control = QLineEdit>
Control* ControlOf(QDialog& dialog, int id) {
    return dialog.findChild<Control*>(QString::number(id));
}

QString Text(QDialog& dialog, int id) {
    if (auto* field = ControlOf<QLineEdit>(dialog, id))
        return field->text();
    return ControlOf<QLabel>(dialog, id)->text();
}

// Types text that need not be ASCII, as a keyboard would send it.
void Type(QWidget* field, const QString& text) {
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(field, &press);
    }
}

// A step that presses a button of the dialog.
int Press(QDialog& dialog, int id) {
    ControlOf<QPushButton>(dialog, id)->click();
    return dialog.result();
}

TDiagramData Station(const char* name, int firstTemperature) {
    TDiagramData station;
    station.SetPlace(TDiagramData::TPlace(*Windows1252::FromUtf8(name)));
    station.SetCoords(TDiagramData::TCoords(52, 31, 13, 24, true, false));
    station.SetAltitude(TDiagramData::TAltitude(34));
    TDiagramData::TMonthValues temperatures{};
    TDiagramData::TMonthValues precipitation{};
    for (int month = 0; month < TDiagramData::MonthCount; ++month) {
        temperatures[month] = Math::Tenths::FromUnits(firstTemperature + 15 * month);
        precipitation[month] = Math::Tenths::FromUnits(400 + month);
    }
    station.SetTemperatures(TDiagramData::TTemperatureData(temperatures));
    station.SetPrecipitation(TDiagramData::TPrecipitationData(precipitation));
    return station;
}

// The dialog on its own, shown and active so that focus changes take place.
class ChangeDialogTest : public testing::Test {
protected:
    void SetUp() override {
        Dialog.LoadNew("Neu/Land");
        Dialog.show();
        Dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Dialog));
        FocusTo(TDialog::NameId);
    }

    QLineEdit* Field(int id) { return ControlOf(Dialog, id); }
    // Moves the focus as the user would and lets the delayed check run.
    void FocusTo(int id) {
        ControlOf<QWidget>(Dialog, id)->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    QString Focused() const {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
    }
    TDialog::TCtlBase& Check(int id) {
        return *dynamic_cast<TDialog::TCtlBase*>(ControlOf<QWidget>(Dialog, id));
    }

    TScriptedUserInterface Ui;
    TDialog Dialog{nullptr, Ui, true};
};

TEST_F(ChangeDialogTest, LatitudeOutOfRangeKeepsTheFocus) {
    FocusTo(TDialog::LatDegId);
    Field(TDialog::LatDegId)->setText("91");
    FocusTo(TDialog::LatMinId);
    EXPECT_EQ(Ui.Shown, Messages{"Fehler: Datenbank: Koordinate für Geografische Breite (Grad) "
                                 "außerhalb des gültigen Bereichs: 91"});
    EXPECT_EQ(Focused(), "4102");

    Field(TDialog::LatDegId)->setText("090");
    FocusTo(TDialog::LatMinId);
    EXPECT_EQ(Ui.Shown.size(), 1u);
    EXPECT_EQ(Focused(), "4103");
    EXPECT_EQ(Field(TDialog::LatDegId)->text(), "90");
}

TEST_F(ChangeDialogTest, EmptyPositionFieldsBecomeZero) {
    FocusTo(TDialog::LatMinId);
    FocusTo(TDialog::NorthId);
    EXPECT_EQ(Field(TDialog::LatMinId)->text(), "0");
    // Longitude allows 180 degrees, minutes end at 59.
    Field(TDialog::LongDegId)->setText("180");
    Field(TDialog::LongMinId)->setText("60");
    EXPECT_TRUE(Check(TDialog::LongDegId).Validate(TDialog::TCheck::Leaving));
    EXPECT_FALSE(Check(TDialog::LongMinId).Validate(TDialog::TCheck::Leaving));
    Check(TDialog::LongMinId).ShowError(Ui, &Dialog);
    EXPECT_EQ(Ui.Shown, Messages{"Fehler: Datenbank: Koordinate für Geografische Länge (Minuten) "
                                 "außerhalb des gültigen Bereichs: 60"});
}

TEST_F(ChangeDialogTest, TemperatureIsNormalisedAndTheMeanFollows) {
    EXPECT_EQ(Text(Dialog, TDialog::MeanId), "0.0");
    EXPECT_EQ(Text(Dialog, TDialog::TotalId), "0");
    FocusTo(TDialog::FirstTempId);
    QTest::keyClicks(Field(TDialog::FirstTempId), "12,34");
    // While typing: 12.3 / 12 = 1.025.
    EXPECT_EQ(Text(Dialog, TDialog::MeanId), "1.0");
    FocusTo(TDialog::FirstTempId + 1);
    EXPECT_EQ(Field(TDialog::FirstTempId)->text(), "12.3");
    QTest::keyClicks(Field(TDialog::FirstTempId + 1), "-7");
    EXPECT_EQ(Text(Dialog, TDialog::MeanId), "0.4");
    Field(TDialog::FirstTempId + 2)->setText("3,25");
    FocusTo(TDialog::FirstTempId + 2);
    FocusTo(TDialog::FirstTempId + 3);
    EXPECT_EQ(Field(TDialog::FirstTempId + 1)->text(), "-7.0");
    EXPECT_EQ(Field(TDialog::FirstTempId + 2)->text(), "3.3");
    // 12.3 - 7.0 + 3.3 = 8.6, / 12 = 0.716…
    EXPECT_EQ(Text(Dialog, TDialog::MeanId), "0.7");

    Field(TDialog::FirstPrecId)->setText("100,05");
    FocusTo(TDialog::FirstPrecId);
    FocusTo(TDialog::FirstPrecId + 1);
    EXPECT_EQ(Field(TDialog::FirstPrecId)->text(), "100.1");
    EXPECT_EQ(Text(Dialog, TDialog::TotalId), "100.1");
    EXPECT_TRUE(Ui.Shown.empty());
}

TEST_F(ChangeDialogTest, JulyOutOfRangeBlocksEveryTemperatureField) {
    Field(TDialog::FirstTempId + 6)->setText("61");
    for (int month = 0; month < TDiagramData::MonthCount; ++month) {
        EXPECT_FALSE(Check(TDialog::FirstTempId + month).Validate(TDialog::TCheck::Leaving));
        Check(TDialog::FirstTempId + month).ShowError(Ui, &Dialog);
    }
    EXPECT_EQ(Ui.Shown, Messages(12, JulyMessage));

    Ui.Shown.clear();
    FocusTo(TDialog::FirstTempId + 2);
    FocusTo(TDialog::FirstTempId + 3);
    EXPECT_EQ(Ui.Shown, Messages{JulyMessage});
    EXPECT_EQ(Focused(), "4113");

    // Closing and coming back from a button check every month on its own: the focus goes to
    // the month whose message is shown.
    EXPECT_EQ(Press(Dialog, TDialog::OkId), 0);
    EXPECT_EQ(Ui.Shown, (Messages{JulyMessage, JulyMessage}));
    EXPECT_EQ(Focused(), "4117");
    EXPECT_TRUE(Dialog.isVisible());
    FocusTo(TDialog::CancelId);
    FocusTo(TDialog::FirstTempId);
    EXPECT_EQ(Ui.Shown, (Messages{JulyMessage, JulyMessage, JulyMessage}));
    EXPECT_EQ(Focused(), "4117");

    Field(TDialog::FirstTempId + 6)->setText("60");
    FocusTo(TDialog::FirstTempId + 6);
    FocusTo(TDialog::FirstTempId + 7);
    EXPECT_EQ(Ui.Shown.size(), 3u);
    EXPECT_EQ(Text(Dialog, TDialog::MeanId), "5.0");
}

TEST_F(ChangeDialogTest, CancelChecksNothingButComingBackChecksAll) {
    Field(TDialog::LatDegId)->setText("95");
    FocusTo(TDialog::LatDegId);
    FocusTo(TDialog::CancelId);
    EXPECT_TRUE(Ui.Shown.empty());
    FocusTo(TDialog::AltitudeId);
    EXPECT_EQ(Ui.Shown.size(), 1u);
    EXPECT_EQ(Focused(), "4102");
}

TEST_F(ChangeDialogTest, ClickingOkReportsAWrongFieldOnce) {
    FocusTo(TDialog::LongMinId);
    Field(TDialog::LongMinId)->setText("75");
    QTest::mouseClick(ControlOf<QPushButton>(Dialog, TDialog::OkId), Qt::LeftButton);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(Ui.Shown, Messages{"Fehler: Datenbank: Koordinate für Geografische Länge (Minuten) "
                                 "außerhalb des gültigen Bereichs: 75"});
    EXPECT_EQ(Focused(), "4107");
    EXPECT_TRUE(Dialog.isVisible());
}

TEST_F(ChangeDialogTest, EnterStepsThroughTheFields) {
    QTest::keyClick(Field(TDialog::NameId), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(Focused(), "4102");
    EXPECT_TRUE(Dialog.isVisible());
    EXPECT_EQ(Dialog.Confirmation(), 0);

    // On a button Enter presses it.
    FocusTo(TDialog::ContinueId);
    QTest::keyClick(ControlOf<QPushButton>(Dialog, TDialog::ContinueId), Qt::Key_Return);
    EXPECT_EQ(Dialog.Confirmation(), TDialog::ContinueId);
    EXPECT_FALSE(Dialog.isVisible());
}

TEST_F(ChangeDialogTest, FiltersAndLimitsOfTheFields) {
    QTest::keyClicks(Field(TDialog::LatDegId), "4a-2,9");
    EXPECT_EQ(Field(TDialog::LatDegId)->text(), "429");
    QTest::keyClicks(Field(TDialog::AltitudeId), "-12x");
    EXPECT_EQ(Field(TDialog::AltitudeId)->text(), "-12");
    QTest::keyClicks(Field(TDialog::FirstPrecId), "-+5,5");
    EXPECT_EQ(Field(TDialog::FirstPrecId)->text(), "5,5");
    const std::pair<int, int> limits[] = {{4101, 256}, {4102, 3}, {4103, 2}, {4106, 3},
                                          {4107, 2},   {4110, 6}, {4111, 5}, {4122, 5},
                                          {4131, 10},  {4142, 10}};
    for (const auto& [id, limit] : limits)
        EXPECT_EQ(Field(id)->maxLength(), limit) << id;
    EXPECT_TRUE(Ui.Shown.empty());
}

TEST_F(ChangeDialogTest, NameMustBeStorable) {
    Field(TDialog::NameId)->clear();
    Type(Field(TDialog::NameId), "Łódź");
    EXPECT_EQ(Field(TDialog::NameId)->text(), "ód");
    EXPECT_EQ(Ui.Shown,
              (Messages{"Fehler: Das Zeichen „Ł“ kann in einem Stationsnamen nicht gespeichert "
                        "werden.",
                        "Fehler: Das Zeichen „ź“ kann in einem Stationsnamen nicht gespeichert "
                        "werden."}));

    // A name put in by the program stays editable; it is caught when closing.
    Ui.Shown.clear();
    Field(TDialog::NameId)->setText("Tab\there");
    Type(Field(TDialog::NameId), "!");
    EXPECT_EQ(Field(TDialog::NameId)->text(), "Tab\there!");
    EXPECT_TRUE(Ui.Shown.empty());
    EXPECT_EQ(Press(Dialog, TDialog::OkId), 0);
    Field(TDialog::NameId)->setText("");
    EXPECT_EQ(Press(Dialog, TDialog::OkId), 0);
    EXPECT_EQ(Ui.Shown,
              (Messages{"Fehler: Steuerzeichen können in einem Stationsnamen nicht gespeichert "
                        "werden.",
                        "Fehler: Datenbank: Stationsname darf nicht leer sein!"}));
    EXPECT_EQ(Focused(), "4101");
    EXPECT_EQ(Dialog.Confirmation(), 0);
}

// A value the station holds is shown whole, so that confirming never cuts it; a new station
// gets the typing limits back.
TEST_F(ChangeDialogTest, ConfirmingKeepsValuesLongerThanTheFieldsTake) {
    TDiagramData station = Station("Berlin/Deutschland", -5);
    station.SetPlace(TDiagramData::TPlace(std::string(300, 'a') + "/Land"));
    station.SetAltitude(TDiagramData::TAltitude(1234567));
    TDiagramData::TMonthValues precipitation = station.Precipitation().Values();
    precipitation[0] = Math::Tenths::FromUnits(1234567890);
    station.SetPrecipitation(TDiagramData::TPrecipitationData(precipitation));
    Dialog.Load(station);
    EXPECT_EQ(Press(Dialog, TDialog::OkId), TDialog::OkId);
    EXPECT_TRUE(Dialog.Record().IsIdentical(station));
    EXPECT_TRUE(Ui.Shown.empty());

    Dialog.LoadNew("Neu/Land");
    EXPECT_EQ(Field(TDialog::NameId)->maxLength(), 256);
    EXPECT_EQ(Field(TDialog::AltitudeId)->maxLength(), 6);
}

// The whole edit on a small database.
class ChangeRunTest : public testing::Test {
protected:
    void SetUp() override {
        Database.Add(Station("Berlin/Deutschland", -5), false);
        Database.Add(Station("Bern/Schweiz", 10), false);
    }
    TDbUIChange::TResult Run(int index, const QString& name = {}) {
        return TDbUIChange(Database, nullptr, Ui).Run(index, name);
    }
    int IndexOf(const char* name) const {
        return Database.Find(TDiagramData::TPlace(name), -1, true);
    }

    TDatabaseMgr Database{"", false, false};
    TScriptedUserInterface Ui;
};

TEST_F(ChangeRunTest, NewStationIsStoredOnOk) {
    Ui.Steps.push_back([](QDialog& dialog) {
        EXPECT_EQ(Text(dialog, TDialog::NameId), "Neu/Land");
        EXPECT_EQ(Text(dialog, TDialog::LatDegId), "");
        EXPECT_TRUE(ControlOf<QRadioButton>(dialog, TDialog::NorthId)->isChecked());
        EXPECT_TRUE(ControlOf<QRadioButton>(dialog, TDialog::WestId)->isChecked());
        ControlOf(dialog, TDialog::LatDegId)->setText("12");
        ControlOf<QRadioButton>(dialog, TDialog::SouthId)->setChecked(true);
        ControlOf<QRadioButton>(dialog, TDialog::EastId)->setChecked(true);
        ControlOf(dialog, TDialog::AltitudeId)->setText("+-3");
        ControlOf(dialog, TDialog::FirstTempId + 11)->setText("-1,25");
        ControlOf(dialog, TDialog::FirstPrecId)->setText("9999,9");
        return Press(dialog, TDialog::OkId);
    });
    EXPECT_EQ(Run(-1, "Neu/Land"), TDbUIChange::Ok);
    EXPECT_EQ(Ui.Shown, Messages{"Dialog: Diagramm erstellen"});
    ASSERT_EQ(Database.Count(), 3);
    const TDiagramData& stored = Database.RecordAt(IndexOf("Neu/Land"));
    EXPECT_TRUE(stored.Coords() == TDiagramData::TCoords(12, 0, 0, 0, false, false));
    EXPECT_EQ(stored.Altitude().Value(), 0);
    EXPECT_EQ(stored.Temperatures().Month(11), Math::Tenths::FromUnits(-13));
    EXPECT_EQ(stored.Precipitation().Total(), Math::Tenths::FromUnits(99999));
}

TEST_F(ChangeRunTest, ContinueAndCancel) {
    Ui.Steps.push_back([](QDialog& dialog) { return Press(dialog, TDialog::ContinueId); });
    EXPECT_EQ(Run(-1, "Eins"), TDbUIChange::Continue);
    EXPECT_EQ(Database.Count(), 3);

    Ui.Steps.push_back([](QDialog& dialog) { return Press(dialog, TDialog::CancelId); });
    EXPECT_EQ(Run(-1, "Zwei"), TDbUIChange::Cancelled);
    // A dialog that nobody confirmed stores nothing either.
    Ui.Steps.push_back([](QDialog&) { return int(QDialog::Accepted); });
    EXPECT_EQ(Run(IndexOf("Eins")), TDbUIChange::Cancelled);
    EXPECT_EQ(Run(-1, "Drei"), TDbUIChange::Cancelled);
    EXPECT_EQ(Database.Count(), 3);
    EXPECT_EQ(IndexOf("Zwei"), -1);
}

TEST_F(ChangeRunTest, ChangedStationReplacesTheOldOne) {
    const TDiagramData before = Database.RecordAt(IndexOf("Berlin/Deutschland"));
    Ui.Steps.push_back([](QDialog& dialog) {
        EXPECT_EQ(Text(dialog, TDialog::LatMinId), "31");
        EXPECT_TRUE(ControlOf<QRadioButton>(dialog, TDialog::EastId)->isChecked());
        EXPECT_EQ(Text(dialog, TDialog::FirstTempId), "-0.5");
        EXPECT_EQ(Text(dialog, TDialog::MeanId), "7.8");
        EXPECT_EQ(Text(dialog, TDialog::TotalId), "486.6");
        ControlOf(dialog, TDialog::NameId)->setText("Berlin-Tegel/Deutschland");
        ControlOf(dialog, TDialog::FirstTempId)->setText("1");
        return Press(dialog, TDialog::OkId);
    });
    EXPECT_EQ(Run(IndexOf("Berlin/Deutschland")), TDbUIChange::Ok);
    EXPECT_EQ(Ui.Shown, Messages{"Dialog: Diagramm ändern"});
    EXPECT_EQ(Database.Count(), 2);
    EXPECT_EQ(IndexOf("Berlin/Deutschland"), -1);
    const TDiagramData& stored = Database.RecordAt(IndexOf("Berlin-Tegel/Deutschland"));
    EXPECT_EQ(stored.Temperatures().Month(0), Math::Tenths(1));
    EXPECT_TRUE(stored.Coords() == before.Coords());
    EXPECT_TRUE(stored.Precipitation() == before.Precipitation());
}

// A name searched for that the database cannot store is said to be so, and offered as it was
// typed, to be mended in the dialog.
TEST_F(ChangeRunTest, ANewNameThatCannotBeStoredIsShownWithAMessage) {
    Ui.Steps.push_back([](QDialog& dialog) {
        EXPECT_EQ(Text(dialog, TDialog::NameId), "Łódź/Polen");
        return Press(dialog, TDialog::OkId);
    });
    EXPECT_EQ(Run(-1, "Łódź/Polen"), TDbUIChange::Cancelled);
    EXPECT_EQ(Ui.Shown,
              (Messages{"Fehler: Der Name „Łódź/Polen“ enthält Zeichen, die in der Datenbank "
                        "nicht gespeichert werden können.\n\nDas Zeichen „Ł“ kann in einem "
                        "Stationsnamen nicht gespeichert werden.",
                        "Dialog: Diagramm erstellen",
                        "Fehler: Das Zeichen „Ł“ kann in einem Stationsnamen nicht gespeichert "
                        "werden."}));
    EXPECT_EQ(Database.Count(), 2);
}

TEST_F(ChangeRunTest, DisplayedStationIsNotOpened) {
    Database.RecordAt(0).SetDisplayed(true);
    EXPECT_EQ(Run(0), TDbUIChange::Displayed);
    EXPECT_TRUE(Ui.Shown.empty());
}

TEST_F(ChangeRunTest, RenameToExistingNameAnsweredNoShowsTheStoredValues) {
    Ui.Steps.push_back([](QDialog& dialog) {
        ControlOf(dialog, TDialog::NameId)->setText("Bern/Schweiz");
        ControlOf(dialog, TDialog::FirstTempId)->setText("20");
        return Press(dialog, TDialog::OkId);
    });
    Ui.Answers.push_back(TUserInterface::TAnswer::No);
    Ui.Steps.push_back([](QDialog& dialog) {
        EXPECT_EQ(Text(dialog, TDialog::NameId), "Berlin/Deutschland");
        EXPECT_EQ(Text(dialog, TDialog::FirstTempId), "-0.5");
        return Press(dialog, TDialog::CancelId);
    });
    EXPECT_EQ(Run(IndexOf("Berlin/Deutschland")), TDbUIChange::Cancelled);
    EXPECT_EQ(Ui.Shown, (Messages{"Dialog: Diagramm ändern",
                                  "Warnung: Diagramm mit diesem Namen existiert bereits!\n\n"
                                  "Soll es überschrieben werden?",
                                  "Dialog: Diagramm ändern"}));
    EXPECT_EQ(Database.Count(), 2);
    EXPECT_EQ(Database.RecordAt(IndexOf("Berlin/Deutschland")).Temperatures().Month(0),
              Math::Tenths::FromUnits(-5));
}

TEST_F(ChangeRunTest, RenameToExistingNameAnsweredYesLeavesOneRecord) {
    Ui.Steps.push_back([](QDialog& dialog) {
        ControlOf(dialog, TDialog::NameId)->setText("Bern/Schweiz");
        return Press(dialog, TDialog::ContinueId);
    });
    Ui.Answers.push_back(TUserInterface::TAnswer::Yes);
    EXPECT_EQ(Run(IndexOf("Berlin/Deutschland")), TDbUIChange::Continue);
    ASSERT_EQ(Database.Count(), 1);
    EXPECT_EQ(Database.RecordAt(0).Place().Name(), "Bern/Schweiz");
    EXPECT_EQ(Database.RecordAt(0).Temperatures().Month(0), Math::Tenths::FromUnits(-5));
}

TEST_F(ChangeRunTest, NewStationDoesNotSilentlyReplaceAnother) {
    Ui.Steps.push_back([](QDialog& dialog) {
        ControlOf(dialog, TDialog::AltitudeId)->setText("77");
        return Press(dialog, TDialog::OkId);
    });
    Ui.Answers.push_back(TUserInterface::TAnswer::No);
    // The typed values are still there.
    Ui.Steps.push_back([](QDialog& dialog) {
        EXPECT_EQ(Text(dialog, TDialog::AltitudeId), "77");
        return Press(dialog, TDialog::OkId);
    });
    Ui.Answers.push_back(TUserInterface::TAnswer::Yes);
    EXPECT_EQ(Run(-1, "Bern/Schweiz"), TDbUIChange::Ok);
    EXPECT_EQ(Ui.Shown.size(), 4u);
    ASSERT_EQ(Database.Count(), 2);
    EXPECT_EQ(Database.RecordAt(IndexOf("Bern/Schweiz")).Altitude().Value(), 77);
}

TEST_F(ChangeRunTest, StationShownInAWindowIsNeverReplaced) {
    Database.RecordAt(IndexOf("Bern/Schweiz")).SetDisplayed(true);
    Ui.Steps.push_back([](QDialog& dialog) {
        ControlOf(dialog, TDialog::NameId)->setText("Bern/Schweiz");
        return Press(dialog, TDialog::OkId);
    });
    Ui.Steps.push_back([](QDialog& dialog) {
        EXPECT_EQ(Text(dialog, TDialog::NameId), "Bern/Schweiz");
        return Press(dialog, TDialog::CancelId);
    });
    EXPECT_EQ(Run(IndexOf("Berlin/Deutschland")), TDbUIChange::Cancelled);
    EXPECT_EQ(Ui.Shown.at(1), "Fehler: Das Diagramm von Bern/Schweiz kann nicht geändert "
                              "werden,\nweil es momentan angezeigt wird!");
    EXPECT_EQ(Database.Count(), 2);
    EXPECT_NE(IndexOf("Berlin/Deutschland"), -1);
}

} // namespace

namespace {

// Months from -0.5 °C rising by 1.5 °C, 40 mm each: cold winters and no warm month above 22 °C.
TEST(ChangeDialogClimateZoneTest, TheZoneFollowsTheValuesOnlyWhenAskedFor) {
    TScriptedUserInterface ui;
    TDialog plain(nullptr, ui, false);
    EXPECT_EQ(ControlOf<QLabel>(plain, TDialog::ClimateZoneId), nullptr);

    TDialog dialog(nullptr, ui, false, true);
    dialog.Load(Station("Berlin/Deutschland", -5));
    EXPECT_EQ(Text(dialog, TDialog::ClimateZoneId),
              "Dfb – kaltgemäßigt, immerfeucht, warme Sommer");
    // A mild January makes it warm-temperate; an invalid value keeps the last zone.
    ControlOf(dialog, TDialog::FirstTempId)->setText("3.0");
    EXPECT_EQ(Text(dialog, TDialog::ClimateZoneId),
              "Cfb – warmgemäßigt, immerfeucht, warme Sommer");
    ControlOf(dialog, TDialog::FirstTempId + 6)->setText("61");
    EXPECT_EQ(Text(dialog, TDialog::ClimateZoneId).left(3), "Cfb");
}

} // namespace
