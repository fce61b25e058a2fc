#pragma once

// Message boxes and dialogs answered by a test: every box is written down, questions are
// answered from a list (No once it is used up), and each dialog by the next step of another
// list, which may fill its controls (found by id) before it gives the dialog's result; a dialog
// with no step left is cancelled. File dialogs take the next name of a third list and are
// cancelled once it is used up.

#include "app/user_interface.h"

#include <QDialog>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TScriptedUserInterface : public TUserInterface {
public:
    void Inform(QWidget*, const QString& text, const QString& caption, TIcon) override {
        Shown.push_back((caption + ": " + text).toStdString());
    }
    TAnswer Ask(QWidget*, const QString& text) override {
        Shown.push_back(("Warnung: " + text).toStdString());
        if (Answers.empty())
            return TAnswer::No;
        const TAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    // Answered from the same list; Cancel once it is used up.
    TAnswer AskYesNoCancel(QWidget*, const QString& text, const QString& caption) override {
        Shown.push_back((caption + ": " + text).toStdString());
        if (Answers.empty())
            return TAnswer::Cancel;
        const TAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    int Execute(QDialog& dialog) override {
        Shown.push_back(("Dialog: " + dialog.windowTitle()).toStdString());
        if (Steps.empty())
            return QDialog::Rejected;
        const auto step = Steps.front();
        Steps.pop_front();
        return step(dialog);
    }

    std::optional<TSaveChoice> AskSaveFileName(QWidget*, const QString& title,
                                               const QStringList& nameFilters,
                                               const QString& defaultSuffix,
                                               const QString& proposedName) override {
        const auto file =
            AnswerFile("Speichern: ", {title, nameFilters, defaultSuffix, proposedName});
        if (!file)
            return std::nullopt;
        int chosen = 0;
        if (!ChosenNameFilters.empty()) {
            chosen = ChosenNameFilters.front();
            ChosenNameFilters.pop_front();
        }
        return TSaveChoice{*file, chosen};
    }
    std::optional<QString> AskOpenFileName(QWidget*, const QString& title,
                                           const QStringList& nameFilters,
                                           const QString& defaultSuffix,
                                           const QString& proposedName) override {
        return AnswerFile("Öffnen: ", {title, nameFilters, defaultSuffix, proposedName});
    }
    // Several files are one answer of names separated by line ends.
    QStringList AskOpenFileNames(QWidget*, const QString& title,
                                 const QStringList& nameFilters) override {
        const std::optional<QString> answer = AnswerFile("Öffnen: ", {title, nameFilters, {}, {}});
        return answer ? answer->split(QLatin1Char('\n')) : QStringList();
    }

    struct TFileRequest {
        QString Title;
        QStringList NameFilters;
        QString DefaultSuffix;
        QString ProposedName;
    };

    std::vector<std::string> Shown;
    std::deque<TAnswer> Answers;
    std::deque<std::function<int(QDialog&)>> Steps;
    // Answers of the file dialogs, and what they were asked. A save dialog chooses the next
    // name filter of its list, the first once the list is used up.
    std::deque<QString> FileNames;
    std::deque<int> ChosenNameFilters;
    std::vector<TFileRequest> FileRequests;

private:
    std::optional<QString> AnswerFile(const char* kind, TFileRequest request) {
        Shown.push_back((QString::fromUtf8(kind) + request.Title).toStdString());
        FileRequests.push_back(std::move(request));
        if (FileNames.empty())
            return std::nullopt;
        const QString answer = FileNames.front();
        FileNames.pop_front();
        return answer;
    }
};
