#include "dbui/pick_list_dialog.h"

#include "dbui/dialog_frame.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace DbUI {

TPickListDialog::TPickListDialog(QWidget* parent, const QString& title, const QStringList& entries)
    : QDialog(parent, DialogFrame) {
    setWindowTitle(title);
    Entries = new QListWidget;
    Entries->setObjectName(QStringLiteral("101"));
    Entries->setSelectionMode(QAbstractItemView::SingleSelection);
    Entries->addItems(entries);
    if (!entries.isEmpty())
        Entries->setCurrentRow(0);
    connect(Entries, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Entries);
    layout->addWidget(buttons);

    // Wide enough for the longest entry, at least 40 characters; high enough for eight lines.
    const QFontMetrics metrics = Entries->fontMetrics();
    int width = 40 * metrics.averageCharWidth();
    for (const QString& entry : entries)
        width = std::max(width, metrics.horizontalAdvance(entry) + 4 * metrics.averageCharWidth());
    Entries->setMinimumSize(width, 8 * metrics.lineSpacing());
}

int TPickListDialog::Selected() const {
    const QList<QListWidgetItem*> selected = Entries->selectedItems();
    return selected.isEmpty() ? -1 : Entries->row(selected.front());
}

} // namespace DbUI
