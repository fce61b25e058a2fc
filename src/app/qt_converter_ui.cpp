#include "app/qt_converter_ui.h"

#include "app/user_interface.h"
#include "dbui/log_dialog.h"
#include "dbui/pick_list_dialog.h"
#include "render/qt_text.h"

#include <QFile>
#include <QGuiApplication>

namespace {

// The log of one run in the dialog "Meldungen", gone with the run.
class TLogWindow : public ConverterLogWindow {
public:
    TLogWindow(QWidget* parent, TUserInterface& ui) : Dialog(parent), Ui(ui) { Dialog.show(); }

    void AppendLine(std::string_view line) override { Dialog.AppendLine(ToQString(line)); }
    void WaitForClose() override {
        Dialog.Finish();
        Ui.Execute(Dialog);
    }

private:
    DbUI::TLogDialog Dialog;
    TUserInterface& Ui;
};

// Windows' wildcards in Qt's form: several are separated by blanks, and "*.*" meant every file,
// also one without a dot.
QString QtPatterns(const QString& wildcards) {
    QStringList patterns = wildcards.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
        pattern = pattern.trimmed();
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
    }
    return patterns.join(QLatin1Char(' '));
}

// File names are the system's bytes, not Windows-1252 texts.
std::optional<std::string> FileNameOf(const std::optional<QString>& chosen) {
    if (!chosen)
        return std::nullopt;
    return QFile::encodeName(*chosen).toStdString();
}

} // namespace

TQtConverterUi::TQtConverterUi(QWidget* parent, TUserInterface& ui) : Parent(parent), Ui(ui) {
}

void TQtConverterUi::ShowError(std::string_view text) {
    Ui.Error(Parent, ToQString(text));
}

int TQtConverterUi::PickFromList(const std::vector<std::string>& entries) {
    QStringList lines;
    for (const std::string& entry : entries)
        lines.append(ToQString(entry));
    DbUI::TPickListDialog dialog(Parent, QStringLiteral("Auswahlliste"), lines);
    const int chosen = Ui.Execute(dialog) == QDialog::Accepted ? dialog.Selected() : -1;
    UserCancelled = chosen < 0;
    return chosen;
}

std::optional<std::string> TQtConverterUi::AskSaveFileName(const TFileDialog& dialog) {
    const auto chosen =
        Ui.AskSaveFileName(Parent, ToQString(dialog.Title), NameFilters(dialog.Filter),
                           ToQString(dialog.DefaultExtension), ToQString(dialog.FileName));
    UserCancelled = !chosen;
    return FileNameOf(chosen ? std::optional(chosen->File) : std::nullopt);
}

std::optional<std::string> TQtConverterUi::AskOpenFileName(const TFileDialog& dialog) {
    const auto chosen =
        Ui.AskOpenFileName(Parent, ToQString(dialog.Title), NameFilters(dialog.Filter),
                           ToQString(dialog.DefaultExtension), ToQString(dialog.FileName));
    UserCancelled = !chosen;
    return FileNameOf(chosen);
}

std::vector<std::string> TQtConverterUi::AskOpenFileNames(const TFileDialog& dialog) {
    const QStringList chosen =
        Ui.AskOpenFileNames(Parent, ToQString(dialog.Title), NameFilters(dialog.Filter));
    UserCancelled = chosen.isEmpty();
    std::vector<std::string> fileNames;
    for (const QString& file : chosen)
        fileNames.push_back(*FileNameOf(file));
    return fileNames;
}

std::unique_ptr<ConverterLogWindow> TQtConverterUi::OpenLogWindow() {
    return std::make_unique<TLogWindow>(Parent, Ui);
}

void TQtConverterUi::SetBusy(bool busy) {
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

QStringList TQtConverterUi::NameFilters(std::string_view filter) {
    const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    // A description without its wildcard after it (the text's last part) is no filter.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString wildcards = parts[i + 1].trimmed();
        if (wildcards.isEmpty())
            continue;
        // The wildcard usually stands in the description already; Qt reads it from there, so it
        // is put there once, in Qt's form.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')')) &&
            QtPatterns(description.mid(open + 1, description.size() - open - 2)) ==
                QtPatterns(wildcards))
            description.truncate(open);
        filters.append((description.trimmed() + QStringLiteral(" (") + QtPatterns(wildcards) +
                        QLatin1Char(')'))
                           .trimmed());
    }
    return filters;
}
