#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace DbUI {

// A one-line input with a prompt: the prompt is 4091, the field 4090, the buttons "OK" (1) and
// "Abbrechen" (2). "OK" can be pressed only while the field is not empty.
class TMyInputDialog : public QDialog {
public:
    TMyInputDialog(QWidget* parent, const QString& caption, const QString& prompt,
                   const QString& text, int maxLength);

    QString Text() const;

private:
    void EnableOk();

    QLineEdit* Field;
    QPushButton* Ok;
};

} // namespace DbUI
