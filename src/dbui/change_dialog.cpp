#include "dbui/change_dialog.h"

#include "model/climate_zone.h"

#include "app/user_interface.h"
#include "dbui/dialog_frame.h"
#include "dbui/edit_checks.h"
#include "model/climate_zone.h"
#include "render/qt_text.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QVBoxLayout>

namespace {

using TDialog = TDbUIChange::TDbUIChangeDiagDialog;

// Monthly fields and the annual values are this many digits wide; longer values scroll.
constexpr int MonthFieldChars = 7;

// The width of a field that shows the given number of digits.
int FieldWidth(const QWidget& field, int chars) {
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
    const QFontMetrics metrics = field.fontMetrics();
    // The text margins of QLineEdit and its cursor.
    const QSize text(metrics.horizontalAdvance(QString(chars, u'0')) + 6, metrics.height());
    return field.style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, &field).width();
}

template <typename TField>
TField* Fitted(TField* field, int chars) {
    field->setFixedWidth(FieldWidth(*field, chars));
    return field;
}

QLabel* Label(const QString& text, QWidget* buddy = nullptr) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

// A field, its unit after it, and nothing else taking the space.
QHBoxLayout* WithUnit(QWidget* field, const QString& unit) {
    auto* row = new QHBoxLayout;
    row->addWidget(field);
    row->addWidget(new QLabel(unit));
    row->addStretch();
    return row;
}

// The two hemisphere buttons of one axis, exclusive among themselves.
QWidget* Hemispheres(QRadioButton* first, QRadioButton* second) {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(first);
    row->addWidget(second);
    row->addStretch();
    return box;
}

QFrame* Line() {
    auto* line = new QFrame;
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    return line;
}

QString WholeText(Math::Whole value) {
    return QString::fromStdString(value.Text());
}

Math::Whole WholeOf(const QLineEdit& field) {
    return Math::Whole::FromText(field.text().toStdString());
}

} // namespace

TDialog::TDbUIChangeDiagDialog(QWidget* parent, TUserInterface& ui, bool creating,
                               bool showClimateZone)
    : QDialog(parent, DialogFrame), Ui(ui) {
    setObjectName(QStringLiteral("41"));
    setWindowTitle(creating ? QStringLiteral("Diagramm erstellen")
                            : QStringLiteral("Diagramm ändern"));

    Name = new TPlaceEdit(ui);
    LatDegrees = Fitted(new TLatDegEdit, 3);
    LatMinutes = Fitted(new TLatMinEdit, 2);
    LongDegrees = Fitted(new TLongDegEdit, 3);
    LongMinutes = Fitted(new TLongMinEdit, 2);
    for (QLineEdit* field : {LatDegrees, LatMinutes, LongDegrees, LongMinutes})
        field->setAlignment(Qt::AlignRight);
    auto* north = new TNSWECheckBox(NorthId, QStringLiteral("N"));
    auto* south = new TNSWECheckBox(SouthId, QStringLiteral("S"));
    auto* west = new TNSWECheckBox(WestId, QStringLiteral("W"));
    auto* east = new TNSWECheckBox(EastId, QStringLiteral("E"));
    North = north;
    South = south;
    West = west;
    East = east;
    Altitude = Fitted(new TAltEdit, 6);
    Altitude->setAlignment(Qt::AlignRight);
    Checked = {Name,        LatDegrees,  LatMinutes, north, south,
               LongDegrees, LongMinutes, west,       east,  Altitude};

    const auto resultField = [](int id) {
        auto* result = new QLabel;
        result->setObjectName(QString::number(id));
        result->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        result->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return result;
    };
    Temperatures.Summary = &TTempEdit::Summary;
    Temperatures.Result = resultField(MeanId);
    Precipitation.Summary = &TPrecEdit::Summary;
    Precipitation.Result = resultField(TotalId);
    for (int month = 0; month < TDiagramData::MonthCount; ++month) {
        auto* field = new TTempEdit(month, Temperatures);
        Temperatures.Fields[static_cast<std::size_t>(month)] = field;
        Checked.push_back(field);
    }
    for (int month = 0; month < TDiagramData::MonthCount; ++month) {
        auto* field = new TPrecEdit(month, Precipitation);
        Precipitation.Fields[static_cast<std::size_t>(month)] = field;
        Checked.push_back(field);
    }
    // The annual values follow the typing; a value out of range is reported when its field is
    // left, until then the last valid result stays.
    for (const TMonthColumn* column : {&Temperatures, &Precipitation})
        for (QLineEdit* field : column->Fields) {
            Fitted(field, MonthFieldChars);
            connect(field, &QLineEdit::textEdited, this, [column] {
                try {
                    column->ShowResult();
                } catch (const TDiagramData::TXBase&) {
                }
            });
        }
    for (QLabel* result : {Temperatures.Result, Precipitation.Result})
        result->setFixedSize(Temperatures.Fields[0]->width(),
                             Temperatures.Fields[0]->sizeHint().height());

    OkButton = new QPushButton(QStringLiteral("OK"));
    OkButton->setObjectName(QString::number(OkId));
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Abbrechen"));
    CancelButton->setObjectName(QString::number(CancelId));
    ContinueButton = new QPushButton(QStringLiteral("&Fortsetzen"));
    ContinueButton->setObjectName(QString::number(ContinueId));
    connect(OkButton, &QPushButton::clicked, this, [this] { done(OkId); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { done(CancelId); });
    connect(ContinueButton, &QPushButton::clicked, this, [this] { done(ContinueId); });

    auto* place = new QGridLayout;
    place->addWidget(Label(QStringLiteral("Station/Staat:"), Name), 0, 0);
    place->addWidget(Name, 0, 1, 1, 5);
    place->addWidget(Label(QStringLiteral("Geogr. Breite:"), LatDegrees), 1, 0);
    place->addWidget(LatDegrees, 1, 1);
    place->addWidget(new QLabel(QStringLiteral("°")), 1, 2);
    place->addWidget(LatMinutes, 1, 3);
    place->addWidget(new QLabel(QStringLiteral("'")), 1, 4);
    place->addWidget(Hemispheres(North, South), 1, 5);
    place->addWidget(Label(QStringLiteral("Geogr. Länge:"), LongDegrees), 2, 0);
    place->addWidget(LongDegrees, 2, 1);
    place->addWidget(new QLabel(QStringLiteral("°")), 2, 2);
    place->addWidget(LongMinutes, 2, 3);
    place->addWidget(new QLabel(QStringLiteral("'")), 2, 4);
    place->addWidget(Hemispheres(West, East), 2, 5);
    place->addWidget(Label(QStringLiteral("Höhe über NN:"), Altitude), 3, 0);
    place->addLayout(WithUnit(Altitude, QStringLiteral("m")), 3, 1, 1, 5);
    place->setColumnStretch(5, 1);

    // January to June on the left, July to December on the right, each month with its
    // temperature and its precipitation.
    constexpr int BlockColumns = 6;
    constexpr int Rows = TDiagramData::MonthCount / 2;
    auto* months = new QGridLayout;
    for (int block = 0; block < 2; ++block) {
        const int column = block * BlockColumns;
        months->addWidget(new QLabel(QStringLiteral("Temperaturen")), 0, column + 1, 1, 2);
        months->addWidget(new QLabel(QStringLiteral("Niederschläge")), 0, column + 3, 1, 2);
        for (int row = 0; row < Rows; ++row) {
            const int month = block * Rows + row;
            QLineEdit* temperature = Temperatures.Fields[static_cast<std::size_t>(month)];
            QLineEdit* precipitation = Precipitation.Fields[static_cast<std::size_t>(month)];
            months->addWidget(Label(ToQString(TDiagramData::MonthName(month)), temperature),
                              row + 1, column);
            months->addWidget(temperature, row + 1, column + 1);
            months->addWidget(new QLabel(QStringLiteral("°C")), row + 1, column + 2);
            months->addWidget(precipitation, row + 1, column + 3);
            months->addWidget(new QLabel(QStringLiteral("mm")), row + 1, column + 4);
        }
    }
    months->setColumnMinimumWidth(BlockColumns - 1, fontMetrics().averageCharWidth() * 4);

    auto* results = new QHBoxLayout;
    results->addWidget(Label(QStringLiteral("Durchschnittstemperatur:")));
    results->addWidget(Temperatures.Result);
    results->addWidget(new QLabel(QStringLiteral("°C")));
    results->addSpacing(fontMetrics().averageCharWidth() * 4);
    results->addWidget(Label(QStringLiteral("Niederschlagssumme:")));
    results->addWidget(Precipitation.Result);
    results->addWidget(new QLabel(QStringLiteral("mm")));
    results->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {OkButton, CancelButton, ContinueButton})
        buttons->addWidget(button);

    auto* layout = new QVBoxLayout(this);
    // The dialog keeps the size its controls need; it cannot be resized.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(place);
    layout->addWidget(Line());
    layout->addLayout(months);
    layout->addWidget(Line());
    layout->addLayout(results);
    if (showClimateZone) {
        ClimateZone = new QLabel;
        ClimateZone->setObjectName(QString::number(ClimateZoneId));
        ClimateZone->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* zone = new QHBoxLayout;
        zone->addWidget(Label(QStringLiteral("Klimazone nach Köppen-Geiger:")));
        zone->addWidget(ClimateZone, 1);
        layout->addLayout(zone);
        for (const TMonthColumn* column : {&Temperatures, &Precipitation})
            for (QLineEdit* field : column->Fields)
                connect(field, &QLineEdit::textChanged, this, &TDialog::ShowClimateZone);
        ShowClimateZone();
    }
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addLayout(buttons);

    // Tab and Enter go through the fields in the order of their ids, then to the buttons.
    QWidget* previous = nullptr;
    for (TCtlBase* control : Checked) {
        if (previous)
            setTabOrder(previous, control->Widget());
        previous = control->Widget();
    }
    for (QPushButton* button : {OkButton, CancelButton, ContinueButton}) {
        setTabOrder(previous, button);
        previous = button;
    }

    connect(qApp, &QApplication::focusChanged, this, &TDbUIChangeDiagDialog::FocusChanged);
}

void TDialog::ShowClimateZone() {
    try {
        TDiagramData station;
        station.SetTemperatures(TDiagramData::TTemperatureData(Temperatures.Values()));
        station.SetPrecipitation(TDiagramData::TPrecipitationData(Precipitation.Values()));
        ClimateZone->setText(ToQString(ClimateZoneTitle(ClimateZoneNumberOf(station))));
    } catch (const TDiagramData::TXBase&) {
    }
}

// Hiding the dialog in the base destructor moves the focus, which must not reach the controls
// that are gone by then.
TDialog::~TDbUIChangeDiagDialog() {
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void TDialog::LoadNew(const QString& name) {
    Name->ShowText(name);
    for (TEditBase* field : {LatDegrees, LatMinutes, LongDegrees, LongMinutes})
        field->ShowText({});
    Altitude->ShowText({});
    for (const TMonthColumn* column : {&Temperatures, &Precipitation})
        for (TEditBase* field : column->Fields)
            field->ShowText({});
    North->setChecked(true);
    West->setChecked(true);
    Temperatures.Result->setText(QStringLiteral("0.0"));
    Precipitation.Result->setText(QStringLiteral("0"));
}

void TDialog::Load(const TDiagramData& record) {
    Name->ShowText(ToQString(record.Place().Name()));
    const TDiagramData::TCoords& position = record.Coords();
    LatDegrees->ShowText(WholeText(position.LatitudeDegrees()));
    LatMinutes->ShowText(WholeText(position.LatitudeMinutes()));
    LongDegrees->ShowText(WholeText(position.LongitudeDegrees()));
    LongMinutes->ShowText(WholeText(position.LongitudeMinutes()));
    (position.IsNorth() ? North : South)->setChecked(true);
    (position.IsWest() ? West : East)->setChecked(true);
    Altitude->ShowText(WholeText(record.Altitude().Value()));
    for (int month = 0; month < TDiagramData::MonthCount; ++month) {
        const auto index = static_cast<std::size_t>(month);
        Temperatures.Fields[index]->ShowText(
            QString::fromStdString(record.Temperatures().Month(month).Text()));
        Precipitation.Fields[index]->ShowText(
            QString::fromStdString(record.Precipitation().Month(month).Text()));
    }
    Temperatures.Result->setText(QString::fromStdString(record.Temperatures().Mean().Text()));
    Precipitation.Result->setText(QString::fromStdString(record.Precipitation().Total().Text()));
}

TDiagramData TDialog::Record() const {
    TDiagramData record;
    record.SetPlace(TDiagramData::TPlace(ToWindows1252(Name->text()).value()));
    record.SetCoords(TDiagramData::TCoords(WholeOf(*LatDegrees), WholeOf(*LatMinutes),
                                           WholeOf(*LongDegrees), WholeOf(*LongMinutes),
                                           North->isChecked(), West->isChecked()));
    record.SetAltitude(TDiagramData::TAltitude(WholeOf(*Altitude)));
    record.SetTemperatures(TDiagramData::TTemperatureData(Temperatures.Values()));
    record.SetPrecipitation(TDiagramData::TPrecipitationData(Precipitation.Values()));
    return record;
}

void TDialog::done(int result) {
    Confirmed = 0;
    if (result == OkId || result == ContinueId) {
        ++Generation;
        if (!CheckAll(TCheck::All))
            return;
        Confirmed = result;
    }
    QDialog::done(result);
}

void TDialog::keyPressEvent(QKeyEvent* event) {
    // Enter confirms only on a button; in the fields it steps on.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !qobject_cast<QPushButton*>(focusWidget())) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TDialog::FocusChanged(QWidget* old, QWidget* now) {
    if (Returning || !isVisible())
        return;
    TCtlBase* left = CheckedControl(old);
    TCtlBase* entered = CheckedControl(now);
    // Going to "Abbrechen" checks nothing, so that a wrong value never keeps the user in.
    if (left && (entered || now == OkButton || now == ContinueButton))
        CheckLater(left);
    else if (entered && (old == OkButton || old == CancelButton || old == ContinueButton))
        CheckLater(nullptr);
}

void TDialog::CheckLater(TCtlBase* control) {
    QTimer::singleShot(0, this, [this, control, generation = Generation] {
        if (generation != Generation || !isVisible())
            return;
        if (!control)
            CheckAll(TCheck::All);
        else if (!control->Validate(TCheck::Leaving))
            Refuse(*control);
    });
}

bool TDialog::CheckAll(TCheck check) {
    for (TCtlBase* control : Checked)
        if (!control->Validate(check)) {
            Refuse(*control);
            return false;
        }
    return true;
}

void TDialog::Refuse(TCtlBase& control) {
    ++Generation;
    control.ShowError(Ui, this);
    Returning = true;
    control.Widget()->setFocus(Qt::OtherFocusReason);
    Returning = false;
    if (auto* field = qobject_cast<QLineEdit*>(control.Widget()))
        field->selectAll();
}

TDialog::TCtlBase* TDialog::CheckedControl(const QWidget* widget) const {
    for (TCtlBase* control : Checked)
        if (control->Widget() == widget)
            return control;
    return nullptr;
}
