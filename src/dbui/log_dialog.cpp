#include "dbui/log_dialog.h"

#include "dbui/dialog_frame.h"
#include "dbui/dialog_placement.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace DbUI {

namespace {

// A refused station of an import, with a name of the longer kind.
const QString TypicalLine = QStringLiteral("Fehler: Station Nakhon Si Thammarat/Thailand: "
                                           "Datenbank: Temperatur für Monat Juli außerhalb des "
                                           "gültigen Bereichs: 61.0");

// How wide the field must be to show this line without scrolling sideways.
int TextWidth(const QPlainTextEdit& field, const QString& line) {
    const int margins = static_cast<int>(std::ceil(2 * field.document()->documentMargin()));
    return field.fontMetrics().horizontalAdvance(line) + margins + field.cursorWidth() +
           2 * field.frameWidth() + field.verticalScrollBar()->sizeHint().width();
}

} // namespace

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

    // The list at least 220 by 99 and the button 50 dialog units wide, in the dialog's font.
    const QFontMetrics metrics = fontMetrics();
    const auto across = [&metrics](int units) {
        return units * metrics.averageCharWidth() / 4;
    };
    Lines->setMinimumSize(across(220), 99 * metrics.height() / 8);
    Ok->setMinimumWidth(across(50));

    // The user may make it larger for long lines; it starts wide enough for a typical one.
    setSizeGripEnabled(true);
    const QMargins around = layout->contentsMargins();
    const QMargins frame = FrameMargins(*this);
    const int wanted = around.left() + TextWidth(*Lines, TypicalLine) + around.right();
    const int room = (parent ? parent : this)->screen()->availableGeometry().width() -
                     frame.left() - frame.right();
    resize(std::min(wanted, room), sizeHint().height());
}

void TLogDialog::AppendLine(const QString& line) {
    // Always at the end, wherever the caret was put by a click into the text.
    QTextCursor end(Lines->document());
    end.movePosition(QTextCursor::End);
    end.insertText(line + QLatin1Char('\n'));
    // Scrolling and repainting after every one of thousands of lines would take longer than the
    // filter's work: the log catches up some thirty times a second.
    if (!SinceShown.isValid() || SinceShown.elapsed() >= 30) {
        ShowEnd();
        QCoreApplication::processEvents();
        SinceShown.start();
    }
}

void TLogDialog::ShowEnd() {
    Lines->moveCursor(QTextCursor::End);
    Lines->ensureCursorVisible();
}

void TLogDialog::Finish() {
    IsFinished = true;
    ShowEnd();
    Ok->setEnabled(true);
    Ok->setFocus();
}

void TLogDialog::reject() {
    // Escape and the close button must not take the log away before its summary.
    if (IsFinished)
        QDialog::reject();
}

} // namespace DbUI
