#include "dbui/edit_checks.h"

#include "app/user_interface.h"
#include "model/windows1252.h"

#include <QLabel>
#include <QValidator>
#include <algorithm>
#include <vector>

namespace {

using TDialog = TDbUIChange::TDbUIChangeDiagDialog;

// Lets through only texts made of the given characters.
class TCharFilter : public QValidator {
public:
    explicit TCharFilter(const char* characters) : Characters(QString::fromLatin1(characters)) {}

    State validate(QString& input, int&) const override {
        for (const QChar character : input)
            if (!Characters.contains(character))
                return Invalid;
        return Acceptable;
    }

private:
    QString Characters;
};

// The characters of a name that cannot be stored, in order.
std::vector<char32_t> UnstorableCharacters(const QString& name) {
    std::vector<char32_t> characters;
    for (const char32_t character : name.toUcs4())
        if (QChar::category(character) == QChar::Other_Control ||
            !Windows1252::FromCodePoint(character))
            characters.push_back(character);
    return characters;
}

QString StorageProblemOf(char32_t character) {
    if (QChar::category(character) == QChar::Other_Control)
        return QStringLiteral(
            "Steuerzeichen können in einem Stationsnamen nicht gespeichert werden.");
    return QStringLiteral("Das Zeichen „%1“ kann in einem Stationsnamen nicht gespeichert werden.")
        .arg(QString::fromUcs4(&character, 1));
}

QString ValueTextOf(const QLineEdit& field) {
    QString text = field.text();
    text.replace(u',', u'.');
    return text;
}

Math::Tenths TenthsOf(const QLineEdit& field) {
    return Math::Tenths::FromText(ValueTextOf(field).toStdString());
}

} // namespace

void TDialog::TCtlBase::ShowError(TUserInterface& ui, QWidget* parent) {
    const QString message = Error;
    Error.clear();
    ui.Error(parent, message);
}

bool TDialog::TCtlBase::Fail(const QString& message) {
    Error = message;
    return false;
}

TDialog::TEditBase::TEditBase(int id, int limit) : TypingLimit(limit) {
    setObjectName(QString::number(id));
    setMaxLength(limit);
}

void TDialog::TEditBase::ShowText(const QString& text) {
    setMaxLength(std::max(TypingLimit, static_cast<int>(text.size())));
    setText(text);
}

void TDialog::TEditBase::SetFilter(QValidator* filter) {
    filter->setParent(this);
    setValidator(filter);
}

std::string TDialog::TEditBase::ValueText() const {
    return ValueTextOf(*this).toStdString();
}

TDialog::TPlaceEdit::TPlaceEdit(TUserInterface& ui) : TEditBase(NameId, Limit) {
    // Text the program puts in is taken as it is; of what the user types or pastes, a character
    // that cannot be stored is refused. One already in a stored name can still be deleted.
    // textEdited comes before textChanged, so that Accepted still holds the text before the edit.
    connect(this, &QLineEdit::textEdited, this, [this, &ui](const QString& text) {
        const std::optional<QString> problem = NewStorageProblem(Accepted, text);
        if (!problem)
            return;
        const auto cursor = cursorPosition() - (text.size() - Accepted.size());
        setText(Accepted);
        setCursorPosition(static_cast<int>(std::max<qsizetype>(cursor, 0)));
        ui.Error(window(), *problem);
    });
    // The change of a refused edit is reported after the text was put back; it is passed over.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text == this->text())
            Accepted = text;
    });
}

bool TDialog::TPlaceEdit::Validate(TCheck) {
    if (text().isEmpty())
        return Fail(ToQString(TDiagramData::TXBase("Stationsname darf nicht leer sein!").what()));
    if (const std::optional<QString> problem = NewStorageProblem({}, text()))
        return Fail(*problem);
    return true;
}

std::optional<QString> TDialog::TPlaceEdit::NewStorageProblem(const QString& before,
                                                              const QString& after) {
    std::vector<char32_t> known = UnstorableCharacters(before);
    for (const char32_t character : UnstorableCharacters(after)) {
        const auto same = std::find(known.begin(), known.end(), character);
        if (same == known.end())
            return StorageProblemOf(character);
        known.erase(same);
    }
    return std::nullopt;
}

TDialog::TCoordEdit::TCoordEdit(int id, int limit, TSetter setter)
    : TEditBase(id, limit), Setter(setter) {
    SetFilter(new TCharFilter("0123456789"));
}

bool TDialog::TCoordEdit::Validate(TCheck) {
    if (text().isEmpty()) {
        setText(QStringLiteral("0"));
        return true;
    }
    const Math::Whole value = Math::Whole::FromText(ValueText());
    setText(QString::fromStdString(value.Text()));
    // A position of its own, so that only this field's range is checked.
    return Keep([&] {
        TDiagramData::TCoords position;
        (position.*Setter)(value);
    });
}

TDialog::TAltEdit::TAltEdit() : TEditBase(AltitudeId, 6) {
    SetFilter(new TCharFilter("-+0123456789"));
}

bool TDialog::TAltEdit::Validate(TCheck) {
    setText(QString::fromStdString(Math::Whole::FromText(ValueText()).Text()));
    return true;
}

TDialog::TMonthEdit::TMonthEdit(int id, int limit, const char* characters, int month,
                                const TMonthColumn& column)
    : TEditBase(id, limit), Month(month), Column(column) {
    SetFilter(new TCharFilter(characters));
    setAlignment(Qt::AlignRight);
}

bool TDialog::TMonthEdit::Validate(TCheck check) {
    setText(QString::fromStdString(Math::Tenths::FromText(ValueText()).Text()));
    if (check == TCheck::Leaving)
        return Keep([this] { Column.ShowResult(); });
    // This month alone, the others at 0, which every series takes.
    const bool inRange = Keep([this] {
        TDiagramData::TMonthValues alone{};
        alone[static_cast<std::size_t>(Month)] = TenthsOf(*this);
        Column.Summary(alone);
    });
    if (!inRange || Month != TDiagramData::MonthCount - 1)
        return inRange;
    return Keep([this] { Column.ShowResult(); });
}

TDialog::TTempEdit::TTempEdit(int month, const TMonthColumn& column)
    : TMonthEdit(FirstTempId + month, 5, "-+.,0123456789", month, column) {
}

std::string TDialog::TTempEdit::Summary(const TDiagramData::TMonthValues& values) {
    return TDiagramData::TTemperatureData(values).Mean().Text();
}

TDialog::TPrecEdit::TPrecEdit(int month, const TMonthColumn& column)
    : TMonthEdit(FirstPrecId + month, 10, ".,0123456789", month, column) {
}

std::string TDialog::TPrecEdit::Summary(const TDiagramData::TMonthValues& values) {
    return TDiagramData::TPrecipitationData(values).Total().Text();
}

TDialog::TNSWECheckBox::TNSWECheckBox(int id, const QString& text) : QRadioButton(text) {
    setObjectName(QString::number(id));
}

TDiagramData::TMonthValues TDialog::TMonthColumn::Values() const {
    TDiagramData::TMonthValues values;
    for (int month = 0; month < TDiagramData::MonthCount; ++month)
        values[static_cast<std::size_t>(month)] =
            TenthsOf(*Fields[static_cast<std::size_t>(month)]);
    return values;
}

void TDialog::TMonthColumn::ShowResult() const {
    Result->setText(QString::fromStdString(Summary(Values())));
}
