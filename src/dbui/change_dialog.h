#pragma once

#include "model/diagram_data.h"

#include <QDialog>
#include <array>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TDatabaseMgr;
class TUserInterface;

// Creates a new station or changes one of the database. The dialog checks every value as the
// user leaves its field; the database changes only after "OK" or "&Fortsetzen".
class TDbUIChange {
public:
    class TDbUIChangeDiagDialog;

    enum TResult { Ok = 0, Continue = 1, Cancelled = 2, Displayed = 3 };

    // With showClimateZone the dialog names the Köppen-Geiger zone of the values it holds.
    TDbUIChange(TDatabaseMgr& database, QWidget* parent, TUserInterface& ui,
                bool showClimateZone = false);

    // Edits the station at the record index, or, with -1, a new station with the given name
    // (may be empty). A station shown in a diagram window is not opened at all. A new name with
    // characters that cannot be stored is shown as it is, after a message that says so.
    TResult Run(int recordIndex, const QString& newName = {});

private:
    TDatabaseMgr& Database;
    QWidget* Parent;
    TUserInterface& Ui;
    bool ShowClimateZone;
};

// "Diagramm erstellen" / "Diagramm ändern" (dialog 41): one field for every value of a station.
// Each field is checked when the focus leaves it for another field or for "OK" or
// "&Fortsetzen", and all of them before the dialog closes; the first failing one shows its error
// and keeps the focus. Enter outside the buttons steps to the next field.
class TDbUIChange::TDbUIChangeDiagDialog : public QDialog {
public:
    class TCtlBase;
    class TEditBase;
    class TPlaceEdit;
    class TCoordEdit;
    class TLatDegEdit;
    class TLatMinEdit;
    class TLongDegEdit;
    class TLongMinEdit;
    class TAltEdit;
    class TMonthEdit;
    class TTempEdit;
    class TPrecEdit;
    class TNSWECheckBox;

    enum TControlId : int {
        OkId = 1,
        CancelId = 2,
        NameId = 4101,
        LatDegId = 4102,
        LatMinId = 4103,
        NorthId = 4104,
        SouthId = 4105,
        LongDegId = 4106,
        LongMinId = 4107,
        WestId = 4108,
        EastId = 4109,
        AltitudeId = 4110,
        FirstTempId = 4111,
        FirstPrecId = 4131,
        MeanId = 4151,
        TotalId = 4152,
        ContinueId = 4153,
        ClimateZoneId = 4154
    };

    // Leaving a field checks it fully. The check of every field in turn (closing, or coming
    // back from a button) checks each month on its own, so that the month at fault keeps the
    // focus, and recomputes the mean and the total only at the December fields.
    enum class TCheck { Leaving, All };

    // The twelve fields of one series and the field of its annual value.
    struct TMonthColumn {
        // The annual value in text form; throws the series' error for a month out of range.
        using TSummary = std::string (*)(const TDiagramData::TMonthValues&);

        std::array<TEditBase*, TDiagramData::MonthCount> Fields{};
        QLabel* Result = nullptr;
        TSummary Summary = nullptr;

        TDiagramData::TMonthValues Values() const;
        // Puts the annual value of the fields into the result field.
        void ShowResult() const;
    };

    TDbUIChangeDiagDialog(QWidget* parent, TUserInterface& ui, bool creating,
                          bool showClimateZone = false);
    ~TDbUIChangeDiagDialog() override;

    // Empty fields for a new station of that name, "N" and "W" checked.
    void LoadNew(const QString& name);
    // The fields of a stored station.
    void Load(const TDiagramData& record);
    // The station of the fields. Only a dialog that passed its closing check has one that is
    // sure to be valid; the record's own setters throw for any other.
    TDiagramData Record() const;
    // OkId or ContinueId after the dialog closed with that button, else 0.
    int Confirmation() const { return Confirmed; }

    // Confirming with OkId or ContinueId runs the closing check first.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FocusChanged(QWidget* old, QWidget* now);
    // Checks the control, or with null all controls, once the focus change has been delivered,
    // so that no message box interrupts a button press.
    void CheckLater(TCtlBase* control);
    // Checks every control in dialog order; the first failing one is refused.
    bool CheckAll(TCheck check);
    // Shows the control's error and puts the focus back into it.
    void Refuse(TCtlBase& control);
    TCtlBase* CheckedControl(const QWidget* widget) const;
    // The zone of the monthly values as they stand; the last one stays while a value is invalid.
    void ShowClimateZone();

    TUserInterface& Ui;
    TPlaceEdit* Name;
    TCoordEdit* LatDegrees;
    TCoordEdit* LatMinutes;
    TCoordEdit* LongDegrees;
    TCoordEdit* LongMinutes;
    QRadioButton* North;
    QRadioButton* South;
    QRadioButton* West;
    QRadioButton* East;
    TAltEdit* Altitude;
    TMonthColumn Temperatures;
    TMonthColumn Precipitation;
    QPushButton* OkButton;
    QPushButton* CancelButton;
    QPushButton* ContinueButton;
    QLabel* ClimateZone = nullptr;
    // Every checked control in dialog order.
    std::vector<TCtlBase*> Checked;
    // Advanced by every refusal and every closing check; a delayed check made before is dropped.
    unsigned Generation = 0;
    // Set while the focus goes back to a refused control.
    bool Returning = false;
    int Confirmed = 0;
};
