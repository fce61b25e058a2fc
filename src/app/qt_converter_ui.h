#pragma once

#include "convert/converter_ui.h"

#include <QStringList>
#include <string_view>

class QWidget;
class TUserInterface;

// The windows of the export and import runs, over the program's message interface: the boxes,
// the pick list and the file dialogs go through it, the log is the dialog "Meldungen".
class TQtConverterUi : public ConverterUi {
public:
    TQtConverterUi(QWidget* parent, TUserInterface& ui);

    void ShowError(std::string_view text) override;
    int PickFromList(const std::vector<std::string>& entries) override;
    std::optional<std::string> AskSaveFileName(const TFileDialog& dialog) override;
    std::optional<std::string> AskOpenFileName(const TFileDialog& dialog) override;
    std::vector<std::string> AskOpenFileNames(const TFileDialog& dialog) override;
    std::unique_ptr<ConverterLogWindow> OpenLogWindow() override;
    void SetBusy(bool busy) override;

    // The registry's filter text (pairs of description and wildcard, each followed by "|") as
    // Qt's name filters: "CSV-Dateien (*.csv)|*.csv|" gives "CSV-Dateien (*.csv)".
    static QStringList NameFilters(std::string_view filter);

    // Whether the user cancelled the pick list or a file dialog, which is no failure.
    bool Cancelled() const { return UserCancelled; }

private:
    QWidget* Parent;
    TUserInterface& Ui;
    bool UserCancelled = false;
};
