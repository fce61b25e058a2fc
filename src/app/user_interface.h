#pragma once

#include <QString>
#include <QStringList>
#include <optional>

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
    // The file chosen in a save dialog, and which of its name filters was chosen with it.
    struct TSaveChoice {
        QString File;
        int NameFilter = 0;
    };
    // The file dialogs, with Qt's name filters; the default suffix is added to a name typed
    // without one, and once the user chooses another filter, that filter's suffix. Nothing when
    // cancelled. Saving asks before a file is replaced and takes only a folder that exists;
    // opening takes only a file that exists.
    virtual std::optional<TSaveChoice> AskSaveFileName(QWidget* parent, const QString& title,
                                                       const QStringList& nameFilters,
                                                       const QString& defaultSuffix,
                                                       const QString& proposedName) = 0;
    virtual std::optional<QString> AskOpenFileName(QWidget* parent, const QString& title,
                                                   const QStringList& nameFilters,
                                                   const QString& defaultSuffix,
                                                   const QString& proposedName) = 0;
    // The open dialog for one file or several, each of which must exist; none when cancelled.
    virtual QStringList AskOpenFileNames(QWidget* parent, const QString& title,
                                         const QStringList& nameFilters) = 0;

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
    std::optional<TSaveChoice> AskSaveFileName(QWidget* parent, const QString& title,
                                               const QStringList& nameFilters,
                                               const QString& defaultSuffix,
                                               const QString& proposedName) override;
    std::optional<QString> AskOpenFileName(QWidget* parent, const QString& title,
                                           const QStringList& nameFilters,
                                           const QString& defaultSuffix,
                                           const QString& proposedName) override;
    QStringList AskOpenFileNames(QWidget* parent, const QString& title,
                                 const QStringList& nameFilters) override;

private:
    QStringList AskOpenFiles(QWidget* parent, const QString& title, const QStringList& nameFilters,
                             const QString& defaultSuffix, const QString& proposedName,
                             bool several);

    QString LastFolder;
};
