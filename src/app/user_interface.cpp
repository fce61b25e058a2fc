#include "app/user_interface.h"

#include "dbui/dialog_frame.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <algorithm>

namespace {

// Every file dialog of the run opens in the folder the last one ended in, the first in the home
// folder rather than beside the program and its database; wide enough for the file's columns.
void Prepare(QFileDialog& dialog, const QString& folder, const QStringList& nameFilters,
             const QString& defaultSuffix, const QString& proposedName) {
    dialog.setDirectory(folder.isEmpty() ? QDir::homePath() : folder);
    dialog.setNameFilters(nameFilters);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    dialog.resize(dialog.sizeHint().expandedTo(QSize(820, 520)));
}

} // namespace

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
    return answer == QMessageBox::Yes  ? TAnswer::Yes
           : answer == QMessageBox::No ? TAnswer::No
                                       : TAnswer::Cancel;
}

int TQtUserInterface::Execute(QDialog& dialog) {
    return dialog.exec();
}

std::optional<TUserInterface::TSaveChoice>
TQtUserInterface::AskSaveFileName(QWidget* parent, const QString& title,
                                  const QStringList& nameFilters, const QString& defaultSuffix,
                                  const QString& proposedName) {
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    Prepare(dialog, LastFolder, nameFilters, defaultSuffix, proposedName);
    // The type the user chose decides the suffix of a name typed without one.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) {
                         const QRegularExpressionMatch suffix =
                             QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
                         dialog.setDefaultSuffix(suffix.captured(1));
                     });
    // Qt's own dialog lets a name in a folder that does not exist through; such a name is not
    // taken: the user is told why, and the dialog comes back with it.
    while (Execute(dialog) == QDialog::Accepted) {
        const QString file = dialog.selectedFiles().value(0);
        if (file.isEmpty())
            continue;
        const QFileInfo chosen(file);
        if (chosen.absoluteDir().exists()) {
            LastFolder = chosen.absolutePath();
            return TSaveChoice{
                file,
                std::max(0, static_cast<int>(nameFilters.indexOf(dialog.selectedNameFilter())))};
        }
        Error(&dialog, QStringLiteral("Der Ordner „%1“ existiert nicht.\n\nBitte wählen Sie "
                                      "einen vorhandenen Ordner.")
                           .arg(QDir::toNativeSeparators(chosen.absolutePath())));
    }
    return std::nullopt;
}

std::optional<QString> TQtUserInterface::AskOpenFileName(QWidget* parent, const QString& title,
                                                         const QStringList& nameFilters,
                                                         const QString& defaultSuffix,
                                                         const QString& proposedName) {
    const QStringList files =
        AskOpenFiles(parent, title, nameFilters, defaultSuffix, proposedName, false);
    return files.isEmpty() ? std::nullopt : std::optional(files.front());
}

QStringList TQtUserInterface::AskOpenFileNames(QWidget* parent, const QString& title,
                                               const QStringList& nameFilters) {
    return AskOpenFiles(parent, title, nameFilters, QString(), QString(), true);
}

QStringList TQtUserInterface::AskOpenFiles(QWidget* parent, const QString& title,
                                           const QStringList& nameFilters,
                                           const QString& defaultSuffix,
                                           const QString& proposedName, bool several) {
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    Prepare(dialog, LastFolder, nameFilters, defaultSuffix, proposedName);
    if (Execute(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    LastFolder = QFileInfo(dialog.selectedFiles().front()).absolutePath();
    return dialog.selectedFiles();
}
