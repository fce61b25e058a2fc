#pragma once

// Message boxes and dialogs answered by a test: every box is written down, questions are
// answered from a list (No once it is used up), and each dialog by the next step of another
// list, which may fill its controls (found by id) before it gives the dialog's result; a dialog
// with no step left is cancelled.

#include "app/user_interface.h"

#include <QDialog>
#include <deque>
#include <functional>
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

    std::vector<std::string> Shown;
    std::deque<TAnswer> Answers;
    std::deque<std::function<int(QDialog&)>> Steps;
};
