#pragma once

#include "convert/converter_log_window.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The windows an export or import run needs from whoever runs it: the program shows dialogs,
// the tool answers from its command line, tests answer as they please.
class ConverterUi {
public:
    struct TFileDialog {
        std::string Title;
        // Pairs of description and wildcard, each followed by "|".
        std::string Filter;
        std::string DefaultExtension;
        std::string FileName;
    };

    virtual ~ConverterUi() = default;

    // A message box with the caption "Fehler" and the stop icon.
    virtual void ShowError(std::string_view text) = 0;
    // The pick list "Auswahlliste", first entry preselected: the chosen index, or -1.
    virtual int PickFromList(const std::vector<std::string>& entries) = 0;
    // The save dialog (asks before overwriting; the folder must exist); nothing when cancelled.
    virtual std::optional<std::string> AskSaveFileName(const TFileDialog& dialog) = 0;
    // The open dialog (the file must exist); nothing when cancelled.
    virtual std::optional<std::string> AskOpenFileName(const TFileDialog& dialog) = 0;
    // The open dialog for several files (each must exist); none when cancelled. Where a user
    // interface has no such dialog it asks for one file.
    virtual std::vector<std::string> AskOpenFileNames(const TFileDialog& dialog) {
        std::optional<std::string> fileName = AskOpenFileName(dialog);
        return fileName ? std::vector<std::string>{std::move(*fileName)}
                        : std::vector<std::string>{};
    }
    // A new log window, shown at once.
    virtual std::unique_ptr<ConverterLogWindow> OpenLogWindow() = 0;
    // The wait cursor while a filter works.
    virtual void SetBusy(bool busy) = 0;
};
