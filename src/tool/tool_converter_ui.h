#pragma once

#include "convert/converter_ui.h"

// Runs the program's export and import flows without windows: the files and the filter are
// given on the command line, messages and log lines go to the error output.
class TToolConverterUi : public ConverterUi {
public:
    // The file the open dialog and the save dialog answer with.
    void SetFile(std::string fileName) { FileName = std::move(fileName); }
    // The entry the pick list answers with.
    void SetPick(int index) { Pick = index; }

    void ShowError(std::string_view text) override;
    int PickFromList(const std::vector<std::string>& entries) override;
    std::optional<std::string> AskSaveFileName(const TFileDialog& dialog) override;
    std::optional<std::string> AskOpenFileName(const TFileDialog& dialog) override;
    std::unique_ptr<ConverterLogWindow> OpenLogWindow() override;
    void SetBusy(bool) override {}

    // Whether the run reported a problem: an error message, or a record it did not take.
    bool ReportedProblem() const { return Problem; }

private:
    std::string FileName;
    int Pick = -1;
    bool Problem = false;
};
