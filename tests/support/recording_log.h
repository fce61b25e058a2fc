#pragma once

// A converter log that writes down what a filter reports, and windows for the export and import
// runs that answer as a test tells them.

#include "convert/converter_log.h"
#include "convert/converter_ui.h"
#include "model/windows1252.h"

#include <string>
#include <vector>

class TRecordingLog : public ConverterLog {
public:
    void Message(std::string_view text) override { Add("message " + std::string(text)); }
    void Accepted() override { Add("accepted"); }
    void Warning(std::string_view text) override { Add("warning " + std::string(text)); }
    void Error(std::string_view text) override { Add("error " + std::string(text)); }
    bool AnyAccepted() const override {
        for (const std::string& entry : Entries)
            if (entry == "accepted" || entry.starts_with("warning"))
                return true;
        return false;
    }

    // Every report in UTF-8: "accepted", "warning TEXT", "error TEXT", "message TEXT".
    std::vector<std::string> Entries;

private:
    void Add(const std::string& entry) { Entries.push_back(Windows1252::ToUtf8(entry)); }
};

class TScriptedUi : public ConverterUi {
public:
    void ShowError(std::string_view text) override {
        Shown.push_back("error box " + Windows1252::ToUtf8(text));
    }
    int PickFromList(const std::vector<std::string>& entries) override {
        PickEntries = entries;
        return Pick;
    }
    std::optional<std::string> AskSaveFileName(const TFileDialog& dialog) override {
        Dialog = dialog;
        return FileName;
    }
    std::optional<std::string> AskOpenFileName(const TFileDialog& dialog) override {
        Dialog = dialog;
        return FileName;
    }
    std::vector<std::string> AskOpenFileNames(const TFileDialog& dialog) override {
        if (FileNames.empty())
            return ConverterUi::AskOpenFileNames(dialog);
        Dialog = dialog;
        return FileNames;
    }
    std::unique_ptr<ConverterLogWindow> OpenLogWindow() override {
        return std::make_unique<TWindow>(*this);
    }
    void SetBusy(bool busy) override { Shown.push_back(busy ? "busy" : "not busy"); }

    // Answers.
    int Pick = 0;
    std::optional<std::string> FileName;
    // The answer of the open dialog for several files, where not empty.
    std::vector<std::string> FileNames;
    // What was shown, in UTF-8: message boxes, log lines ("log TEXT"), cursor changes.
    std::vector<std::string> Shown;
    std::vector<std::string> PickEntries;
    std::optional<TFileDialog> Dialog;

private:
    class TWindow : public ConverterLogWindow {
    public:
        explicit TWindow(TScriptedUi& ui) : Ui(ui) {}
        void AppendLine(std::string_view line) override {
            Ui.Shown.push_back("log " + Windows1252::ToUtf8(line));
        }
        void WaitForClose() override { Ui.Shown.push_back("wait for OK"); }

    private:
        TScriptedUi& Ui;
    };
};
