#include "dbui/merge_dialogs.h"

#include "app/user_interface.h"
#include "dbui/dialog_frame.h"
#include "dbui/dialog_placement.h"
#include "render/qt_text.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QVBoxLayout>

namespace DbUI {

namespace {

// The import runs under the wait cursor; a question to the user gets the arrow meanwhile.
class TArrowCursor {
public:
    TArrowCursor() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~TArrowCursor() { QGuiApplication::restoreOverrideCursor(); }
    TArrowCursor(const TArrowCursor&) = delete;
    TArrowCursor& operator=(const TArrowCursor&) = delete;
};

QLabel* ValueLabel(int id, const std::string& windows1252) {
    auto* label = new QLabel(ToQString(windows1252));
    label->setObjectName(QString::number(id));
    // Station names are shown as they are, never read as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A long name is shortened in the middle, where the start and the country stay readable; the
// whole name is then in the tooltip.
QLabel* NameLabel(int id, const std::string& windows1252, int width) {
    auto* label = ValueLabel(id, windows1252);
    const QString name = label->text();
    const QString shown = label->fontMetrics().elidedText(name, Qt::ElideMiddle, width);
    if (shown != name) {
        label->setText(shown);
        // A tooltip would read markup too.
        label->setToolTip(Qt::convertFromPlainText(name, Qt::WhiteSpaceNormal));
    }
    label->setMinimumWidth(width);
    return label;
}

QGroupBox* StationGroup(const QString& title, int nameId, int positionId,
                        const TDiagramData& station, int nameWidth) {
    auto* group = new QGroupBox(title);
    auto* layout = new QFormLayout(group);
    auto* name = NameLabel(nameId, station.Place().Name(), nameWidth);
    layout->addRow(QStringLiteral("Name:"), name);
    layout->addRow(QStringLiteral("Position:"), ValueLabel(positionId, station.PositionText()));
    return group;
}

} // namespace

TDbUIMerge::TDbUIMergeInfoDialog::TDbUIMergeInfoDialog(QWidget* parent)
    : QDialog(parent, DialogFrame) {
    setWindowTitle(QStringLiteral("Zusammenführen"));
    setObjectName(QString::number(Resource));

    auto* status = new QGroupBox(QStringLiteral("Datenbank-Status"));
    auto* grid = new QGridLayout(status);
    static constexpr const char* Labels[] = {"Diagramme identisch:", "Diagramme hinzugefügt:",
                                             "Diagramme ersetzt:", "Diagramme ignoriert:"};
    for (int row = 0; row < 4; ++row) {
        auto* counter = new QLabel(QStringLiteral("0"));
        counter->setObjectName(QString::number(4401 + row));
        counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // Room for six digits, so that the dialog keeps its size as the counts grow.
        counter->setMinimumWidth(
            counter->fontMetrics().horizontalAdvance(QStringLiteral("000000")));
        grid->addWidget(new QLabel(QString::fromUtf8(Labels[row])), row, 0);
        grid->addWidget(counter, row, 1);
        Counters[static_cast<std::size_t>(row)] = counter;
    }
    grid->setColumnStretch(0, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status);
    // 159 dialog units wide, as the status window always was.
    setMinimumWidth(159 * fontMetrics().averageCharWidth() / 4);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TDbUIMerge::TDbUIMergeInfoDialog::SetCounts(const TCountingMergeHandler::TCounts& counts) {
    const int values[] = {counts.Identical, counts.Added, counts.Replaced, counts.Ignored};
    for (std::size_t i = 0; i < Counters.size(); ++i)
        Counters[i]->setText(QString::number(values[i]));
}

TDbUIMerge::TDbUIMergeQueryDialog::TDbUIMergeQueryDialog(QWidget* parent,
                                                         const TDiagramData& existing,
                                                         const TDiagramData& incoming)
    : QDialog(parent, DialogFrame) {
    setWindowTitle(QStringLiteral("Zusammenführen"));
    setObjectName(QString::number(Resource));

    const int nameWidth = fontMetrics().averageCharWidth() * 32;
    auto* stations = new QHBoxLayout;
    stations->addWidget(StationGroup(QStringLiteral("Original"), 4501, 4502, existing, nameWidth));
    stations->addWidget(StationGroup(QStringLiteral("Neu"), 4503, 4504, incoming, nameWidth));

    static constexpr std::pair<TButton, const char*> Buttons[] = {{Replace, "&Ersetzen"},
                                                                  {Ignore, "&Ignorieren"},
                                                                  {Add, "&Hinzufügen"},
                                                                  {ReplaceAll, "&Alle ersetzen"},
                                                                  {IgnoreAll, "A&lle ignorieren"},
                                                                  {AddAll, "Alle hi&nzufügen"}};
    const bool sameName = existing.Place().Name() == incoming.Place().Name();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const auto& [id, text] : Buttons) {
        auto* button = new QPushButton(QString::fromUtf8(text));
        button->setObjectName(QString::number(id));
        button->setEnabled(!sameName || (id != Add && id != AddAll));
        connect(button, &QPushButton::clicked, this, [this, code = id] { done(code); });
        buttons->addWidget(button);
        // Enter keeps both stations as they are.
        if (id == Ignore) {
            button->setDefault(true);
            button->setFocus();
        }
    }
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8("Zwei ähnliche Diagramme wurden gefunden:")));
    layout->addLayout(stations);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

Updater::~Updater() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

GUIMergeHandler::GUIMergeHandler(QWidget* parent, TUserInterface& ui)
    : Ui(ui), InfoDialog(std::make_unique<TDbUIMerge::TDbUIMergeInfoDialog>(parent)) {
    const Updater shown;
    InfoDialog->show();
}

GUIMergeHandler::~GUIMergeHandler() = default;

// The question stands below the counters (above them near the bottom of the screen), so that
// both can be read. The first question comes so soon after the counters that the window manager
// may not have framed them yet: then their frame is taken to be that of the main window.
void GUIMergeHandler::PlaceBelowTheCounters(QDialog& query) const {
    const QMargins frame = FrameMargins(*InfoDialog);
    const QPoint place =
        PlaceBelow(InfoDialog->geometry().marginsAdded(frame), query.sizeHint().grownBy(frame),
                   InfoDialog->screen()->availableGeometry(), 8);
    // A dialog not shown yet is placed by its contents, below its caption.
    query.move(place + QPoint(frame.left(), frame.top()));
}

TCountingMergeHandler::TAnswer GUIMergeHandler::Ask(const TDiagramData& existing,
                                                    const TDiagramData& incoming) {
    using TQuery = TDbUIMerge::TDbUIMergeQueryDialog;
    TQuery dialog(InfoDialog.get(), existing, incoming);
    PlaceBelowTheCounters(dialog);
    const TArrowCursor arrow;
    switch (Ui.Execute(dialog)) {
    case TQuery::Replace:
        return {Replace, TStanding::None};
    case TQuery::Add:
        return {Add, TStanding::None};
    case TQuery::ReplaceAll:
        return {Replace, TStanding::ReplaceAll};
    case TQuery::IgnoreAll:
        return {Ignore, TStanding::IgnoreAll};
    case TQuery::AddAll:
        return {Add, TStanding::AddAll};
    default: // "&Ignorieren", or the dialog was closed
        return {Ignore, TStanding::None};
    }
}

// Every identical, added or queried station ends here, so the windows repaint as the merge goes
// and between two questions.
void GUIMergeHandler::CountsChanged() {
    const Updater updater;
    InfoDialog->SetCounts(Counts());
}

} // namespace DbUI
