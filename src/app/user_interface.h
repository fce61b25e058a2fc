#pragma once

#include <QString>

class QDialog;
class QWidget;

// The message boxes and modal dialogs of the program. The program shows them; tests answer them.
class TUserInterface {
public:
    enum class TIcon { Stop, Exclamation, Information };
    enum class TAnswer { Ok, Yes, No, Cancel };

    virtual ~TUserInterface() = default;

    // A box with an OK button.
    virtual void Inform(QWidget* parent, const QString& text, const QString& caption,
                        TIcon icon) = 0;
    // "Warnung" with Yes and No, No as default and an exclamation icon.
    virtual TAnswer Ask(QWidget* parent, const QString& text) = 0;
    // A question with Yes, No and Cancel ("Abbrechen"), Yes as default, an exclamation icon.
    virtual TAnswer AskYesNoCancel(QWidget* parent, const QString& text,
                                   const QString& caption) = 0;
    // Runs a modal dialog to its end and returns its result (QDialog::Accepted or Rejected).
    virtual int Execute(QDialog& dialog) = 0;

    // The boxes of the program's conventions.
    void Error(QWidget* parent, const QString& text) {
        Inform(parent, text, QStringLiteral("Fehler"), TIcon::Stop);
    }
    void Info(QWidget* parent, const QString& text) {
        Inform(parent, text, QStringLiteral("Info"), TIcon::Information);
    }
};

// The real boxes, with Qt's German button texts.
class TQtUserInterface : public TUserInterface {
public:
    void Inform(QWidget* parent, const QString& text, const QString& caption, TIcon icon) override;
    TAnswer Ask(QWidget* parent, const QString& text) override;
    TAnswer AskYesNoCancel(QWidget* parent, const QString& text, const QString& caption) override;
    int Execute(QDialog& dialog) override;
};
