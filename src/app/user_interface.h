#pragma once

#include <QString>

class QWidget;

// The message boxes of the program. The program shows them; tests answer them.
class TUserInterface {
public:
    enum class TIcon { Stop, Exclamation, Information };
    enum class TAnswer { Ok, Yes, No };

    virtual ~TUserInterface() = default;

    // A box with an OK button.
    virtual void Inform(QWidget* parent, const QString& text, const QString& caption,
                        TIcon icon) = 0;
    // "Warnung" with Yes and No, No as default and an exclamation icon.
    virtual TAnswer Ask(QWidget* parent, const QString& text) = 0;

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
};
