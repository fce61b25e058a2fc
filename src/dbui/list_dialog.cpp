#include "dbui/list_dialog.h"

#include "database/database_mgr.h"
#include "dbui/dialog_frame.h"
#include "render/qt_text.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextDocument>

namespace {

// Lines as wide as the list: a long name is cut with "…" at its edge instead of being scrolled
// sideways, as a scroll bar below the stations would shift them against their positions.
class TListWideLines : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {0, QStyledItemDelegate::sizeHint(option, index).height()};
    }
};

} // namespace

TDbUISearch::TDbUIListDialog::TDbUIListDialog(const TDatabaseMgr& database, QWidget* parent,
                                              bool multiSelect)
    : QDialog(parent, DialogFrame), Database(database) {
    setWindowTitle(QStringLiteral("Ortauswahl"));
    setObjectName(QString::number(multiSelect ? MultipleSelection : SingleSelection));

    CountLine = new QLabel;
    CountLine->setObjectName(QStringLiteral("4201"));
    Stations = new QListWidget;
    Stations->setObjectName(QStringLiteral("4202"));
    Stations->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection
                                           : QAbstractItemView::SingleSelection);
    Stations->setUniformItemSizes(true);
    Stations->setItemDelegate(new TListWideLines(Stations));
    Positions = new QListWidget;
    Positions->setObjectName(QStringLiteral("4203"));
    Positions->setUniformItemSizes(true);
    // Inert (no focus, no selection of its own), yet as readable as the station list: the grey
    // of a disabled list is for what cannot be used now, not for what only goes along.
    Positions->setEnabled(false);
    QPalette readable = Positions->palette();
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::Base})
        readable.setColor(QPalette::Disabled, role, readable.color(QPalette::Active, role));
    Positions->setPalette(readable);
    Positions->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Positions->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Both lists scroll by whole lines, and the positions go where the stations go.
    Stations->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    Positions->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    connect(Stations->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &TDbUIListDialog::FollowStationList);
    connect(Stations, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(CountLine, 0, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Station")), 1, 0);
    layout->addWidget(new QLabel(QStringLiteral("Position")), 1, 1);
    layout->addWidget(Stations, 2, 0);
    layout->addWidget(Positions, 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);

    // 324 by 232 dialog units of the dialog's font.
    const QFontMetrics metrics = fontMetrics();
    resize(324 * metrics.averageCharWidth() / 4, 232 * metrics.height() / 8);
    CountLine->setText(QStringLiteral("0 Stationen gefunden"));
}

void TDbUISearch::TDbUIListDialog::Add(int recordIndex) {
    const TDiagramData& station = Database.RecordAt(recordIndex);
    const QString name = ToQString(station.Place().Name());
    // The tooltip shows all of a long name, never read as markup.
    auto* line = new QListWidgetItem(name, Stations);
    line->setToolTip(Qt::convertFromPlainText(name, Qt::WhiteSpaceNormal));
    Positions->addItem(ToQString(station.PositionText()));
    ListData.push_back(recordIndex);
    if (ListData.size() == 1)
        Stations->setCurrentRow(0);
    CountLine->setText(QString::number(Count()) + QStringLiteral(" Stationen gefunden"));
}

std::vector<int> TDbUISearch::TDbUIListDialog::Selection() const {
    std::vector<int> selection;
    for (int line = 0; line < Stations->count(); ++line)
        if (Stations->item(line)->isSelected())
            selection.push_back(ListData[static_cast<std::size_t>(line)]);
    return selection;
}

void TDbUISearch::TDbUIListDialog::FollowStationList() {
    Positions->verticalScrollBar()->setValue(Stations->verticalScrollBar()->value());
}
