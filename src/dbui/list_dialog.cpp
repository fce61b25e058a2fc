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
    Positions = new QListWidget;
    Positions->setObjectName(QStringLiteral("4203"));
    Positions->setUniformItemSizes(true);
    Positions->setEnabled(false);
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
    Stations->addItem(ToQString(station.Place().Name()));
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
