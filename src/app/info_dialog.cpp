#include "app/info_dialog.h"

#include "database/database_mgr.h"
#include "dbui/dialog_frame.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* Value(const QString& text, int id) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::number(id));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

TInfoDialog::TInfoDialog(const TDatabaseMgr& database, QWidget* parent)
    : QDialog(parent, DialogFrame) {
    setWindowTitle(QStringLiteral("Programminformationen"));

    auto* icon = new QLabel;
    icon->setObjectName(QStringLiteral("4801"));
    icon->setPixmap(QApplication::windowIcon().pixmap(42, 40));
    auto* title = new QLabel(QStringLiteral("Pelvanor für Windows 2.1c"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* header = new QHBoxLayout;
    header->addWidget(icon);
    header->addWidget(title, 1);

    const auto& databaseHeader = database.Header();
    auto* group = new QGroupBox(QStringLiteral("Datenbankinformationen"));
    auto* facts = new QGridLayout(group);
    facts->addWidget(new QLabel(QStringLiteral("Datenbanksignatur:")), 0, 0);
    facts->addWidget(Value(QStringLiteral("Pelvanor Database"), 4802), 0, 1);
    facts->addWidget(new QLabel(QStringLiteral("Datenbankversion:")), 1, 0);
    facts->addWidget(Value(QString::number(databaseHeader ? databaseHeader->Version : -1), 4803), 1,
                     1);
    facts->addWidget(new QLabel(QStringLiteral("Anzahl der Datensätze:")), 2, 0);
    facts->addWidget(Value(QString::number(database.Count()), 4804), 2, 1);
    // Where the user finds the file: beside the program, or the user's own copy.
    facts->addWidget(new QLabel(QStringLiteral("Datenbankdatei:")), 3, 0);
    facts->addWidget(Value(QString::fromStdString(database.FileName()), 4805), 3, 1);
    facts->setColumnStretch(1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    // Where the shipped stations come from, and how to add more.
    auto* source = new QLabel(QStringLiteral(
        "Die Stationen der mitgelieferten Datenbank stammen aus den „WMO Climatological Normals "
        "1991–2020“ der Weltorganisation für Meteorologie (freier Austausch nach "
        "WMO-Resolution 40). Weitere Stationen fügt „Datenbank importieren...“ hinzu, etwa aus "
        "den Datenblättern der nationalen Wetterdienste zu diesen Klimanormalwerten."));
    source->setObjectName(QStringLiteral("4806"));
    source->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addSpacing(8);
    layout->addWidget(source);
    layout->addSpacing(8);
    layout->addWidget(group);
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(360, 300)));
}
