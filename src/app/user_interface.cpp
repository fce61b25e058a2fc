#include "app/user_interface.h"

#include "dbui/dialog_frame.h"

#include <QDialog>
#include <QMessageBox>

void TQtUserInterface::Inform(QWidget* parent, const QString& text, const QString& caption,
                              TIcon icon) {
    const QMessageBox::Icon shown = icon == TIcon::Stop          ? QMessageBox::Critical
                                    : icon == TIcon::Exclamation ? QMessageBox::Warning
                                                                 : QMessageBox::Information;
    QMessageBox box(shown, caption, text, QMessageBox::Ok, parent, DialogFrame);
    box.exec();
}

TUserInterface::TAnswer TQtUserInterface::Ask(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warnung"), text,
                    QMessageBox::Yes | QMessageBox::No, parent, DialogFrame);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? TAnswer::Yes : TAnswer::No;
}

TUserInterface::TAnswer TQtUserInterface::AskYesNoCancel(QWidget* parent, const QString& text,
                                                        const QString& caption) {
    QMessageBox box(QMessageBox::Warning, caption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent, DialogFrame);
    box.setDefaultButton(QMessageBox::Yes);
    const int answer = box.exec();
    return answer == QMessageBox::Yes ? TAnswer::Yes
           : answer == QMessageBox::No ? TAnswer::No
                                       : TAnswer::Cancel;
}

int TQtUserInterface::Execute(QDialog& dialog) {
    return dialog.exec();
}
