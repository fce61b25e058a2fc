#pragma once

// The checked controls of the station edit dialog: each knows how to check and normalise its own
// text, using the station record's validating setters, and keeps the error it found until the
// dialog shows it.

#include "dbui/change_dialog.h"
#include "render/qt_text.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QString>
#include <optional>

class QValidator;

class TDbUIChange::TDbUIChangeDiagDialog::TCtlBase {
public:
    virtual ~TCtlBase() = default;

    // Checks and normalises the value; on failure the error is kept for ShowError.
    virtual bool Validate(TCheck check) = 0;
    // Shows the kept error in a "Fehler" box and forgets it.
    virtual void ShowError(TUserInterface& ui, QWidget* parent);
    virtual QWidget* Widget() = 0;

protected:
    TCtlBase() = default;

    bool Fail(const QString& message);
    // Runs a check through the record's setters; their error becomes the kept one.
    template <typename TRecordCheck>
    bool Keep(TRecordCheck check) {
        try {
            check();
            return true;
        } catch (const TDiagramData::TXBase& error) {
            return Fail(ToQString(error.what()));
        }
    }

private:
    QString Error;
};

// An edit field with its length limit and its filter of the characters that may be typed.
class TDbUIChange::TDbUIChangeDiagDialog::TEditBase : public QLineEdit, public TCtlBase {
public:
    TEditBase(int id, int limit);
    QWidget* Widget() override { return this; }
    // Puts a value in. A value the station holds is shown whole even where it is longer than
    // what may be typed, so that confirming never cuts it.
    void ShowText(const QString& text);

protected:
    // Takes the filter; a key it rejects is not typed.
    void SetFilter(QValidator* filter);
    // The text as the record's readers take it, with "," turned into ".".
    std::string ValueText() const;

private:
    int TypingLimit;
};

// The station name: any text that Windows-1252 can hold, but not empty.
class TDbUIChange::TDbUIChangeDiagDialog::TPlaceEdit : public TEditBase {
public:
    static constexpr int Limit = 256;

    // Typed or pasted text that cannot be stored is refused with a message.
    explicit TPlaceEdit(TUserInterface& ui);
    bool Validate(TCheck check) override;

    // Why the name `after` cannot be stored where `before` could: a character outside
    // Windows-1252, or a control character, which would break the record's files.
    static std::optional<QString> NewStorageProblem(const QString& before, const QString& after);

private:
    // The text before the user's last edit.
    QString Accepted;
};

// Degrees or minutes of the position: empty means 0; the range is the position's.
class TDbUIChange::TDbUIChangeDiagDialog::TCoordEdit : public TEditBase {
public:
    using TSetter = void (TDiagramData::TCoords::*)(Math::Whole);

    TCoordEdit(int id, int limit, TSetter setter);
    bool Validate(TCheck check) override;

private:
    TSetter Setter;
};

class TDbUIChange::TDbUIChangeDiagDialog::TLatDegEdit : public TCoordEdit {
public:
    TLatDegEdit() : TCoordEdit(LatDegId, 3, &TDiagramData::TCoords::SetLatitudeDegrees) {}
};

class TDbUIChange::TDbUIChangeDiagDialog::TLatMinEdit : public TCoordEdit {
public:
    TLatMinEdit() : TCoordEdit(LatMinId, 2, &TDiagramData::TCoords::SetLatitudeMinutes) {}
};

class TDbUIChange::TDbUIChangeDiagDialog::TLongDegEdit : public TCoordEdit {
public:
    TLongDegEdit() : TCoordEdit(LongDegId, 3, &TDiagramData::TCoords::SetLongitudeDegrees) {}
};

class TDbUIChange::TDbUIChangeDiagDialog::TLongMinEdit : public TCoordEdit {
public:
    TLongMinEdit() : TCoordEdit(LongMinId, 2, &TDiagramData::TCoords::SetLongitudeMinutes) {}
};

// The altitude in whole metres, any value.
class TDbUIChange::TDbUIChangeDiagDialog::TAltEdit : public TEditBase {
public:
    TAltEdit();
    bool Validate(TCheck check) override;
};

// One month of a series. Its range is checked with the whole series, whose annual value then
// goes into the column's result field.
class TDbUIChange::TDbUIChangeDiagDialog::TMonthEdit : public TEditBase {
public:
    TMonthEdit(int id, int limit, const char* characters, int month, const TMonthColumn& column);
    bool Validate(TCheck check) override;

private:
    int Month;
    const TMonthColumn& Column;
};

// A monthly mean temperature, -90.0 to 60.0.
class TDbUIChange::TDbUIChangeDiagDialog::TTempEdit : public TMonthEdit {
public:
    TTempEdit(int month, const TMonthColumn& column);
    // The annual mean.
    static std::string Summary(const TDiagramData::TMonthValues& values);
};

// A monthly precipitation total, 0.0 or more; no sign can be typed.
class TDbUIChange::TDbUIChangeDiagDialog::TPrecEdit : public TMonthEdit {
public:
    TPrecEdit(int month, const TMonthColumn& column);
    // The annual total.
    static std::string Summary(const TDiagramData::TMonthValues& values);
};

// One hemisphere button; a choice is always valid.
class TDbUIChange::TDbUIChangeDiagDialog::TNSWECheckBox : public QRadioButton, public TCtlBase {
public:
    TNSWECheckBox(int id, const QString& text);
    bool Validate(TCheck) override { return true; }
    QWidget* Widget() override { return this; }
};
