#include "dbui/log_dialog.h"

#include "dbui/dialog_frame.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace DbUI {

TLogDialog::TLogDialog(QWidget* parent) : QDialog(parent, DialogFrame) {
    setWindowTitle(QStringLiteral("Meldungen"));
    setWindowModality(Qt::ApplicationModal);

    Lines = new QPlainTextEdit;
    Lines->setObjectName(QStringLiteral("4901"));
    Lines->setReadOnly(true);
    Lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    Lines->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Ok = new QPushButton(QStringLiteral("OK"));
    Ok->setObjectName(QStringLiteral("1"));
    Ok->setDefault(true);
    Ok->setEnabled(false);
    connect(Ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(Ok);
    buttonRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Lines);
    layout->addLayout(buttonRow);

    // The list 220 by 99 and the button 50 dialog units wide, in the dialog's font.
    const QFontMetrics metrics = fontMetrics();
    const auto across = [&metrics](int units) {
        return units * metrics.averageCharWidth() / 4;
    };
    Lines->setMinimumSize(across(220), 99 * metrics.height() / 8);
    Ok->setMinimumWidth(across(50));
}

void TLogDialog::AppendLine(const QString& line) {
    // Always at the end, wherever the caret was put by a click into the text.
    Lines->moveCursor(QTextCursor::End);
    Lines->insertPlainText(line + QLatin1Char('\n'));
    Lines->ensureCursorVisible();
    QCoreApplication::processEvents();
}

void TLogDialog::Finish() {
    IsFinished = true;
    Ok->setEnabled(true);
    Ok->setFocus();
}

void TLogDialog::reject() {
    // Escape and the close button must not take the log away before its summary.
    if (IsFinished)
        QDialog::reject();
}

} // namespace DbUI
