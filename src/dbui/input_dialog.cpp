#include "dbui/input_dialog.h"

#include "dbui/dialog_frame.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace DbUI {

TMyInputDialog::TMyInputDialog(QWidget* parent, const QString& caption, const QString& prompt,
                               const QString& text, int maxLength)
    : QDialog(parent, DialogFrame) {
    setWindowTitle(caption);
    auto* promptLabel = new QLabel(prompt);
    promptLabel->setObjectName(QStringLiteral("4091"));
    Field = new QLineEdit;
    Field->setObjectName(QStringLiteral("4090"));
    Field->setMaxLength(maxLength);
    Field->setText(text);
    Field->selectAll();
    promptLabel->setBuddy(Field);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    Ok = buttons->button(QDialogButtonBox::Ok);
    Ok->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(Field, &QLineEdit::textChanged, this, &TMyInputDialog::EnableOk);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promptLabel);
    layout->addWidget(Field);
    layout->addWidget(buttons);
    Field->setMinimumWidth(Field->fontMetrics().averageCharWidth() * 48);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    EnableOk();
}

QString TMyInputDialog::Text() const {
    return Field->text();
}

void TMyInputDialog::EnableOk() {
    Ok->setEnabled(!Field->text().isEmpty());
}

} // namespace DbUI
